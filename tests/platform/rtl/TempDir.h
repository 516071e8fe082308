#pragma once
// A fresh folder under the system's temporary folder, removed with everything in it at the end.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

class TTempDir {
public:
    TTempDir()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "ombrix-rtl-XXXXXX").string();
        char* made = ::mkdtemp(pattern.data());
        FPath = made ? std::string(made) + "/" : std::string();
    }
    ~TTempDir()
    {
        std::error_code ec;
        std::filesystem::permissions(FPath, std::filesystem::perms::owner_all, ec);
        std::filesystem::remove_all(FPath, ec);
    }
    TTempDir(const TTempDir&) = delete;
    TTempDir& operator=(const TTempDir&) = delete;

    // The folder with a trailing "/".
    const std::string& Path() const { return FPath; }
    std::string operator/(const std::string& name) const { return FPath + name; }

    // Writes bytes exactly as given.
    std::string Write(const std::string& name, const std::string& bytes) const
    {
        std::string full = FPath + name;
        std::ofstream(full, std::ios::binary) << bytes;
        return full;
    }
    static std::string Read(const std::string& full)
    {
        std::ifstream in(full, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

private:
    std::string FPath;
};
