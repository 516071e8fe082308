#pragma once
// The user's folders as the desktop's XDG conventions define them. Everything follows HOME and the
// XDG variables (never the password database), so a test can run the whole program in a temporary
// HOME. Every folder is returned with a trailing "/".
#include <string>

// $HOME with a trailing "/"; empty when HOME is unset or empty.
std::string UserHomeFolder();

// $XDG_DATA_HOME, else $HOME/.local/share; empty when neither is known.
std::string UserDataFolder();

// XDG_DOCUMENTS_DIR of the user's user-dirs.dirs, else $HOME/Documents. Raises Exception
// "Could not determine My Documents path" when HOME is unset.
std::string UserDocumentsFolder();

// XDG_DESKTOP_DIR of user-dirs.dirs, else $HOME/Desktop; empty when HOME is unset.
std::string UserDesktopFolder();

// The program's work folder, UserDataFolder() + "Ombrix3/" (not created here); empty when the data
// folder is unknown.
std::string WorkFolder();

// The console tool a command line names: "mplayer.exe" is the tool "mplayer". A name with a "/" is
// taken as it is; a bare name is looked for in the work folder first, then on PATH. Empty when the
// tool is nowhere.
std::string FindConsoleTool(const std::string& Name);
