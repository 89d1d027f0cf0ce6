// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <cstdint>

// The application's settings, one record shared by every calculator window,
// read once at start-up and written once at quit. The file is 12 bytes,
// big-endian: version (int32, always written as 2), usingRPNMode,
// speakResults, speakEverythingElse (one byte each), windowAlpha (IEEE single)
// and windowAlphaUsed (one byte).
class Preferences
{
public:
    // Loads the file at filePath if it exists; the defaults stand otherwise.
    explicit Preferences(const QString &filePath);

    std::int32_t fileVersion = 2;
    float windowAlpha = 1.0f;
    bool windowAlphaUsed = false;
    bool usingRPNMode = false;
    bool speakResults = false;
    bool speakEverythingElse = false;

    void SetPreferencesToDefaults();
    // The preferences file, whether or not it exists.
    QString GetPreferencesFolderItem() const;
    // Writes the whole record as a version-2 file. The old file is replaced
    // only once the new one is completely on disk, so an interrupted write
    // never loses the settings. Returns false, without a message, when the
    // file cannot be written.
    bool WriteToDisk() const;

    // The 12 bytes that WriteToDisk stores.
    QByteArray Serialize() const;
    // Reads a file's bytes into the record as the stored version says;
    // fields beyond the end of a short file keep their current values.
    void Deserialize(const QByteArray &bytes);

    // "Zorvane Preferences" in the user's configuration folder.
    static QString DefaultFilePath();

private:
    QString filePath;
};
