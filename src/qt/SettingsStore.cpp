// Statistics and preferences through QSettings.
#include "qt/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace quorvex::ui {

namespace {

const QString StatisticsGroup = QStringLiteral("statistics");
const QString ShowTimerKey = QStringLiteral("timer/show");

StoreResult Result(StoreStatus status, const QString& where, const QString& keptAs = {}) {
    return {status, QDir::toNativeSeparators(where).toStdString(), QDir::toNativeSeparators(keptAs).toStdString()};
}

}  // namespace

QString ConfigFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/quorvex");
}

QString StatisticsFile() { return ConfigFolder() + QStringLiteral("/statistics.ini"); }
QString SettingsFile() { return ConfigFolder() + QStringLiteral("/settings.ini"); }

StoreResult LoadStatisticsFile(Statistics& into) {
    const QString path = StatisticsFile();
    const QFileInfo info(path);
    if (!info.exists()) return Result(StoreStatus::Missing, path);
    // QSettings reads an unreadable file as an empty one; ask the file itself.
    QFile probe(path);
    if (!info.isFile() || !probe.open(QIODevice::ReadOnly)) return Result(StoreStatus::Unreadable, path);
    probe.close();

    QSettings settings(path, QSettings::IniFormat);
    StatisticsFields fields;
    settings.beginGroup(StatisticsGroup);
    for (const QString& key : settings.childKeys()) {
        const QVariant value = settings.value(key);
        // A list (the text had commas) is not something this program wrote.
        fields[key.toStdString()] =
            value.typeId() == QMetaType::QString ? value.toString().toStdString() : std::string("\x01");
    }
    settings.endGroup();
    const std::optional<Statistics> parsed =
        settings.status() == QSettings::NoError ? FromFields(fields) : std::nullopt;
    if (parsed) {
        into = *parsed;
        return Result(StoreStatus::Ok, path);
    }
    const QString kept = path + QStringLiteral(".damaged");
    QFile::remove(kept);
    return Result(StoreStatus::Damaged, path, QFile::rename(path, kept) ? kept : QString());
}

StoreResult SaveStatisticsFile(const Statistics& stats) {
    const QString path = StatisticsFile();
    QDir().mkpath(ConfigFolder());
    QSettings settings(path, QSettings::IniFormat);
    settings.clear();
    settings.beginGroup(StatisticsGroup);
    for (const auto& [key, value] : ToFields(stats))
        settings.setValue(QString::fromStdString(key), QString::fromStdString(value));
    settings.endGroup();
    settings.sync();
    return Result(settings.status() == QSettings::NoError ? StoreStatus::Ok : StoreStatus::Unwritable, path);
}

Preferences LoadPreferencesFile() {
    Preferences preferences;
    if (!QFileInfo::exists(SettingsFile())) return preferences;
    QSettings settings(SettingsFile(), QSettings::IniFormat);
    preferences.ShowTimer = settings.value(ShowTimerKey, preferences.ShowTimer).toBool();
    return preferences;
}

void SavePreferencesFile(const Preferences& preferences) {
    QDir().mkpath(ConfigFolder());
    QSettings settings(SettingsFile(), QSettings::IniFormat);
    settings.setValue(ShowTimerKey, preferences.ShowTimer);
    settings.sync();
}

}  // namespace quorvex::ui
