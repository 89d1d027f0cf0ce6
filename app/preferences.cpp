// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/preferences.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <cstring>

namespace {

constexpr qsizetype kFileSize = 12;
constexpr std::int32_t kWrittenVersion = 2;

std::uint32_t readBigEndian32(const QByteArray &bytes, qsizetype offset)
{
    std::uint32_t value = 0;
    for (qsizetype i = 0; i < 4; ++i)
        value = (value << 8) | static_cast<std::uint8_t>(bytes[offset + i]);
    return value;
}

void appendBigEndian32(QByteArray &bytes, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        bytes.append(static_cast<char>((value >> shift) & 0xFF));
}

} // namespace

Preferences::Preferences(const QString &filePath)
    : filePath(filePath)
{
    SetPreferencesToDefaults();
    // A missing, unreadable or non-regular file leaves the defaults, silently.
    if (!QFileInfo(filePath).isFile())
        return;
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly))
        return;
    Deserialize(file.read(kFileSize));
}

void Preferences::SetPreferencesToDefaults()
{
    fileVersion = 2;
    windowAlpha = 1.0f;
    windowAlphaUsed = false;
    usingRPNMode = false;
    speakResults = false;
    speakEverythingElse = false;
}

QString Preferences::GetPreferencesFolderItem() const
{
    return filePath;
}

QString Preferences::DefaultFilePath()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("Zorvane Preferences"));
}

void Preferences::Deserialize(const QByteArray &bytes)
{
    if (bytes.size() < 4)
        return;
    fileVersion = static_cast<std::int32_t>(readBigEndian32(bytes, 0));
    if (fileVersion >= 1 && bytes.size() > 4)
        usingRPNMode = bytes[4] != 0;
    if (fileVersion < 2)
        return;
    if (bytes.size() > 5)
        speakResults = bytes[5] != 0;
    if (bytes.size() > 6)
        speakEverythingElse = bytes[6] != 0;
    if (bytes.size() >= 11) {
        const std::uint32_t bits = readBigEndian32(bytes, 7);
        std::memcpy(&windowAlpha, &bits, sizeof windowAlpha);
    }
    if (bytes.size() > 11)
        windowAlphaUsed = bytes[11] != 0;
}

QByteArray Preferences::Serialize() const
{
    QByteArray bytes;
    bytes.reserve(kFileSize);
    appendBigEndian32(bytes, static_cast<std::uint32_t>(kWrittenVersion));
    bytes.append(usingRPNMode ? '\1' : '\0');
    bytes.append(speakResults ? '\1' : '\0');
    bytes.append(speakEverythingElse ? '\1' : '\0');
    std::uint32_t alphaBits = 0;
    std::memcpy(&alphaBits, &windowAlpha, sizeof alphaBits);
    appendBigEndian32(bytes, alphaBits);
    bytes.append(windowAlphaUsed ? '\1' : '\0');
    return bytes;
}

bool Preferences::WriteToDisk() const
{
    QDir().mkpath(QFileInfo(filePath).absolutePath());
    QSaveFile file(filePath);
    // Unbuffered, so that a short write (disk full, file size limit) shows in
    // write()'s count: a buffered QSaveFile can commit a truncated file.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    if (file.write(Serialize()) != kFileSize) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
