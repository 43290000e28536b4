#pragma once
// Reading settings files the way the Windows profile-string call does.
#include <QString>
#include <QStringList>

namespace tav::platform {

// Parsed once, looked up many times. Section and key names match without regard to case and
// surrounding blanks; the first matching section and key win.
class IniFile {
  public:
    IniFile() = default;
    // Reads and decodes the file (CP932 or UTF-8); a missing file is an empty settings file.
    static IniFile load(const QString& path);
    static IniFile fromText(const QString& text);

    // The value, blanks around it removed and one pair of matching double or single quotes
    // taken off, cut to readSize - 1 characters; the default (cut the same way) when the file,
    // section or key is missing.
    QString getString(const QString& section, const QString& key, const QString& defaultValue,
                      int readSize) const;
    bool exists() const { return exists_; }

  private:
    QStringList lines_;
    bool exists_ = false;
};

// One call, one read of the file: the profile-string call itself.
QString getPrivateProfileString(const QString& section, const QString& key,
                                const QString& defaultValue, int readSize, const QString& path);

}  // namespace tav::platform
