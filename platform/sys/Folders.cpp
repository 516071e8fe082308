#include "platform/sys/Folders.h"

#include "platform/rtl/Exceptions.h"
#include "platform/sys/Spawn.h"

#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <fstream>

namespace {

std::string Env(const char* name)
{
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string();
}

std::string WithSlash(std::string path)
{
    if (!path.empty() && path.back() != '/') {
        path += '/';
    }
    return path;
}

// One entry of user-dirs.dirs: XDG_xxx_DIR="$HOME/Folder" or an absolute path. Empty when absent or
// not in one of those two forms (the file's own rules allow nothing else).
std::string UserDir(const std::string& key, const std::string& home)
{
    std::string config = Env("XDG_CONFIG_HOME");
    if (config.empty() || config[0] != '/') {
        config = home + ".config";
    }
    std::ifstream in(WithSlash(config) + "user-dirs.dirs");
    std::string line;
    std::string found;
    while (std::getline(in, line)) {
        std::size_t start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line[start] == '#' || line.compare(start, key.size(), key) != 0) {
            continue;
        }
        std::size_t eq = line.find('=', start + key.size());
        if (eq == std::string::npos || line.find_first_not_of(" \t", start + key.size()) != eq) {
            continue;
        }
        std::string value = line.substr(eq + 1);
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
            value = value.substr(1, value.size() - 2);
        }
        std::string unescaped;
        for (std::size_t i = 0; i < value.size(); ++i) {
            if (value[i] == '\\' && i + 1 < value.size()) {
                ++i;
            }
            unescaped += value[i];
        }
        if (unescaped.rfind("$HOME", 0) == 0) {
            found = home + (unescaped.size() > 5 && unescaped[5] == '/' ? unescaped.substr(6) : unescaped.substr(5));
        } else if (!unescaped.empty() && unescaped[0] == '/') {
            found = unescaped;
        }
    }
    return found.empty() ? found : WithSlash(found);
}

} // namespace

std::string UserHomeFolder()
{
    return WithSlash(Env("HOME"));
}

std::string UserDataFolder()
{
    std::string data = Env("XDG_DATA_HOME");
    if (!data.empty() && data[0] == '/') {
        return WithSlash(data);
    }
    std::string home = UserHomeFolder();
    return home.empty() ? home : home + ".local/share/";
}

std::string UserDocumentsFolder()
{
    std::string home = UserHomeFolder();
    if (home.empty()) {
        throw Exception("Could not determine My Documents path");
    }
    std::string dir = UserDir("XDG_DOCUMENTS_DIR", home);
    return dir.empty() ? home + "Documents/" : dir;
}

std::string UserDesktopFolder()
{
    std::string home = UserHomeFolder();
    if (home.empty()) {
        return home;
    }
    std::string dir = UserDir("XDG_DESKTOP_DIR", home);
    return dir.empty() ? home + "Desktop/" : dir;
}

std::string WorkFolder()
{
    std::string data = UserDataFolder();
    return data.empty() ? data : data + "Ombrix3/";
}

std::string FindConsoleTool(const std::string& Name)
{
    if (Name.empty()) {
        return Name;
    }
    if (Name.find('/') != std::string::npos) {
        return Name;
    }
    std::string tool = Name;
    if (tool.size() > 4) {
        std::string ext = tool.substr(tool.size() - 4);
        for (char& c : ext) {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        if (ext == ".exe") {
            tool.resize(tool.size() - 4);
        }
    }
    std::string work = WorkFolder();
    if (!work.empty()) {
        std::string local = work + tool;
        if (IsExecutableFile(local)) {
            return local;
        }
    }
    return FindOnPath(tool);
}
