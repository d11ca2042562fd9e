#include "settings/QtSettingsStore.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>

#include <cerrno>
#include <cmath>
#include <limits>
#include <sys/stat.h>

namespace lotto {

namespace {

const QDate kEpoch(1899, 12, 30);

bool readJson(QIODevice& device, QSettings::SettingsMap& map) {
    return QtSettingsStore::readTypedJson(device.readAll(), map);
}

bool writeJson(QIODevice& device, const QSettings::SettingsMap& map) {
    return device.write(QtSettingsStore::writeTypedJson(map)) >= 0;
}

} // namespace

bool QtSettingsStore::readTypedJson(const QByteArray& bytes, QSettings::SettingsMap& map) {
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject()) return false;
    const QJsonObject root = doc.object();
    for (auto it = root.begin(); it != root.end(); ++it) {
        const QJsonObject entry = it.value().toObject();
        const QString type = entry.value(QStringLiteral("t")).toString();
        const QJsonValue v = entry.value(QStringLiteral("v"));
        // An entry whose value does not fit its tag is dropped, as if it were missing.
        if (type == QLatin1String("bool") && v.isBool()) {
            map.insert(it.key(), v.toBool());
        } else if (type == QLatin1String("int") && v.isDouble()) {
            const double d = v.toDouble();
            if (std::floor(d) == d && d >= std::numeric_limits<int>::min() &&
                d <= std::numeric_limits<int>::max())
                map.insert(it.key(), static_cast<int>(d));
        } else if (type == QLatin1String("string") && v.isString()) {
            map.insert(it.key(), v.toString());
        } else if (type == QLatin1String("date") && v.isString()) {
            const QDate date = QDate::fromString(v.toString(), Qt::ISODate);
            if (date.isValid()) map.insert(it.key(), date);
        }
    }
    return true;
}

QByteArray QtSettingsStore::writeTypedJson(const QSettings::SettingsMap& map) {
    QJsonObject root;
    for (auto it = map.begin(); it != map.end(); ++it) {
        QJsonObject entry;
        const QVariant& v = it.value();
        switch (v.typeId()) {
        case QMetaType::Bool:
            entry.insert(QStringLiteral("t"), QStringLiteral("bool"));
            entry.insert(QStringLiteral("v"), v.toBool());
            break;
        case QMetaType::Int:
            entry.insert(QStringLiteral("t"), QStringLiteral("int"));
            entry.insert(QStringLiteral("v"), v.toInt());
            break;
        case QMetaType::QDate:
            entry.insert(QStringLiteral("t"), QStringLiteral("date"));
            entry.insert(QStringLiteral("v"), v.toDate().toString(Qt::ISODate));
            break;
        default:
            entry.insert(QStringLiteral("t"), QStringLiteral("string"));
            entry.insert(QStringLiteral("v"), v.toString());
            break;
        }
        root.insert(it.key(), entry);
    }
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

QSettings::Format QtSettingsStore::jsonFormat() {
    static const QSettings::Format format =
        QSettings::registerFormat(QStringLiteral("json"), readJson, writeJson);
    return format;
}

QtSettingsStore::QtSettingsStore()
    : m_fileName(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                 QStringLiteral("/Zerbost/RedidAR.json")) {
    // Decided before QSettings opens the file: it reads it at once.
    if (isUsableFile(m_fileName))
        m_settings = std::make_unique<QSettings>(jsonFormat(), QSettings::UserScope,
                                                 QStringLiteral("Zerbost"), QStringLiteral("RedidAR"));
}

QtSettingsStore::~QtSettingsStore() {
    // QSettings writes its changes when it is destroyed. When the file has become a link
    // to a device or a FIFO meanwhile, it must not: that write would replace the device
    // node (as root) or block. The object is left alone then, on purpose, at the end of the run.
    if (m_settings && !isUsableFile(m_settings->fileName())) static_cast<void>(m_settings.release());
}

bool QtSettingsStore::isUsableFile(const QString& path) {
    const QByteArray native = QFile::encodeName(path);
    struct stat st {};
    if (::lstat(native.constData(), &st) != 0) return errno == ENOENT;
    if (::stat(native.constData(), &st) != 0) return errno == ENOENT; // a link to a file yet to be made
    return S_ISREG(st.st_mode);
}

QString QtSettingsStore::fileName() const {
    return m_settings ? m_settings->fileName() : m_fileName;
}

std::optional<SettingValue> QtSettingsStore::read(const std::string& name) {
    if (!m_settings) return m_unsaved.read(name);
    return settingValue(m_settings->value(QString::fromStdString(name)));
}

std::optional<SettingValue> QtSettingsStore::settingValue(const QVariant& v) {
    if (!v.isValid()) return std::nullopt;
    switch (v.typeId()) {
    case QMetaType::Bool:
        return v.toBool();
    case QMetaType::Int:
        return v.toInt();
    case QMetaType::QDate:
        return DateSetting{static_cast<double>(kEpoch.daysTo(v.toDate()))};
    default:
        return v.toString().toStdString();
    }
}

void QtSettingsStore::write(const std::string& name, const SettingValue& value) {
    if (!m_settings) return m_unsaved.write(name, value);
    const QString key = QString::fromStdString(name);
    if (const bool* b = std::get_if<bool>(&value))
        m_settings->setValue(key, *b);
    else if (const int* i = std::get_if<int>(&value))
        m_settings->setValue(key, *i);
    else if (const std::string* s = std::get_if<std::string>(&value))
        m_settings->setValue(key, QString::fromStdString(*s));
    else if (const DateSetting* d = std::get_if<DateSetting>(&value))
        m_settings->setValue(key, kEpoch.addDays(static_cast<qint64>(std::floor(d->days))));
}

void QtSettingsStore::flush() {
    if (m_settings && isUsableFile(m_settings->fileName())) m_settings->sync();
}

void QtSettingsStore::clear() {
    m_unsaved.values.clear();
    if (!m_settings) return;
    m_settings->clear();
    flush();
}

QString defaultProgramDirectory() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/zerbosts-lotto/");
}

} // namespace lotto
