#pragma once
// An INI file read and written key by key. Every call opens the file by name and closes it
// again, so two dialogs or two running programs always see each other's last write.
//
// Sections and keys match without regard to letter case (the first matching section counts).
// A value is the text after the first "=", blanks trimmed, one pair of matching quotation marks
// removed, at most 2047 characters. A write changes the key's line where it stands, or adds the
// key at the end of its section, or the section at the end of the file; every other line stays
// as it was. The new file replaces the old one only once it is complete on disk.

#include <QList>
#include <QString>
#include <utility>

class TIniFile {
public:
    explicit TIniFile(QString fileName) : m_fileName(std::move(fileName)) {}
    const QString &FileName() const { return m_fileName; }

    // A missing file, section or key gives the default; an empty value does not.
    QString ReadString(const QString &section, const QString &key, const QString &defaultValue) const;
    // Decimal, or hexadecimal after "0x", "0X" or "$"; anything else gives the default.
    int ReadInteger(const QString &section, const QString &key, int defaultValue) const;
    // Read as an integer with the default 1 or 0; any other number than 0 is true.
    bool ReadBool(const QString &section, const QString &key, bool defaultValue) const;
    // Every key of the section with its value, in file order.
    QList<std::pair<QString, QString>> ReadSection(const QString &section) const;
    // Why the file is there but cannot be read (every read then gives defaults and no write
    // replaces it); empty when it is missing or readable.
    QString ReadProblem() const;
    // False when the file reads but holds no INI text: binary data, or lines without a single
    // "[section]" (a picture or a note picked by mistake). A missing or empty file holds INI text.
    bool HoldsIniText() const;

    // Raise EOrvane "Unable to write to <file>" when the file cannot be written.
    void WriteString(const QString &section, const QString &key, const QString &value) const;
    void WriteInteger(const QString &section, const QString &key, int value) const;
    void WriteBool(const QString &section, const QString &key, bool value) const;

private:
    QString m_fileName;
};

// The integer rule of ReadInteger on a text that has already been read.
int IniTextToInt(const QString &text, int defaultValue);
