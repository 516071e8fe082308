#pragma once
// Ini files: sections of key=value lines. Section and key names compare without regard to case
// (ASCII); values are kept as written.
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

class TStrings;

class TCustomIniFile {
public:
    explicit TCustomIniFile(std::string fileName) : FFileName(std::move(fileName)) {}
    TCustomIniFile(const TCustomIniFile&) = delete;
    TCustomIniFile& operator=(const TCustomIniFile&) = delete;
    virtual ~TCustomIniFile() = default;

    const std::string& FileName() const { return FFileName; }

    // A key that is present gives its value, even an empty one; otherwise the default.
    virtual std::string ReadString(const std::string& section, const std::string& ident,
                                   const std::string& def) const = 0;
    virtual void WriteString(const std::string& section, const std::string& ident, const std::string& value) = 0;
    virtual void EraseSection(const std::string& section) = 0;
    virtual void DeleteKey(const std::string& section, const std::string& ident) = 0;
    virtual void UpdateFile() = 0;
    // True when the section's header is there, even with no keys under it.
    virtual bool SectionExists(const std::string& section) const = 0;

    // Decimal with optional sign, or hexadecimal after "$" or "0x"/"0X" (up to 8 digits,
    // "0xFF000005" is negative); blanks, other text, an empty value or a missing key give def.
    int ReadInteger(const std::string& section, const std::string& ident, int def) const;
    void WriteInteger(const std::string& section, const std::string& ident, int value);
    // "." decimal separator; bad text gives def.
    double ReadFloat(const std::string& section, const std::string& ident, double def) const;

protected:
    void SetFileName(std::string fileName) { FFileName = std::move(fileName); }

private:
    std::string FFileName;
};

// The whole ini in memory. Reading text: lines are trimmed; empty lines and lines starting with
// ";" are dropped; "[name]" opens a section (a repeated section name continues the first one);
// other lines are "key=value" with blanks around "=" removed; lines before the first section are
// dropped. Nothing reaches the file until UpdateFile.
class TMemIniFile : public TCustomIniFile {
public:
    // Loads the file when it exists; an existing file that cannot be read raises EFOpenError
    // naming the path. An empty name makes a purely in-memory ini.
    explicit TMemIniFile(const std::string& fileName = "");
    ~TMemIniFile() override;

    std::string ReadString(const std::string& section, const std::string& ident,
                           const std::string& def) const override;
    void WriteString(const std::string& section, const std::string& ident, const std::string& value) override;
    void EraseSection(const std::string& section) override;
    void DeleteKey(const std::string& section, const std::string& ident) override;
    bool SectionExists(const std::string& section) const override;
    // Writes "[section]", its lines and an empty line per section, CR LF line ends; raises
    // EFCreateError naming the path. Does nothing for an in-memory ini without a name.
    void UpdateFile() override;

    void Clear();
    // How many key lines all its sections hold together.
    int LineCount() const;
    // The ini as lines (as UpdateFile writes them) / replace everything by parsing lines.
    void GetStrings(TStrings& list) const;
    void SetStrings(const TStrings& list);
    void GetStrings(TStrings* list) const { GetStrings(*list); }
    void SetStrings(const TStrings* list) { SetStrings(*list); }
    // Takes a new file name, and re-reads from it when reload is set.
    void Rename(const std::string& fileName, bool reload);

private:
    struct TSection;
    TSection* FindSection(const std::string& name) const;
    TSection& AddSection(const std::string& name);
    void LoadFromFile();

    std::vector<std::unique_ptr<TSection>> FSections;
    std::unordered_map<std::string, TSection*> FIndex;  // lower-case name -> section
};

// An ini file on disk: every write goes straight to the file, replacing a key that is already
// there in place (comments and other lines are kept as they are). Reads see the file as last
// loaded or written by this object. A file that cannot be written raises EIniFileException
// "Unable to write to <path>".
class TIniFile : public TCustomIniFile {
public:
    explicit TIniFile(const std::string& fileName);
    ~TIniFile() override;

    std::string ReadString(const std::string& section, const std::string& ident,
                           const std::string& def) const override;
    void WriteString(const std::string& section, const std::string& ident, const std::string& value) override;
    void EraseSection(const std::string& section) override;
    void DeleteKey(const std::string& section, const std::string& ident) override;
    bool SectionExists(const std::string& section) const override;
    // Re-reads the file (writes are already on disk).
    void UpdateFile() override;

private:
    void Load();
    void Save();
    // [header line, one past the last line) of every block headed by this section name.
    std::vector<std::pair<int, int>> SectionRanges(const std::string& section) const;
    // Index of the first "ident=" line of the section, -1 when absent.
    int FindKey(const std::string& section, const std::string& ident) const;

    std::vector<std::string> FLines;
};
