#pragma once
// A fresh folder of a test's own under the system's temporary folder, removed with everything in it
// when the object goes. It is named after the running test ("ombrix-Suite.Test-XXXXXX"), and it stays
// for a person to look into when that test failed and OMBRIX_TEST_KEEP is set; the test's output then
// says where it is.
//
//   TScratchFolder dir;
//   const std::string ini = dir.Write("a.ini", "[Main]\n");   // dir / "a.ini"
//   EXPECT_EQ(TScratchFolder::Read(ini), "[Main]\n");
#include <string>

class TScratchFolder {
public:
    TScratchFolder();
    ~TScratchFolder();
    TScratchFolder(const TScratchFolder&) = delete;
    TScratchFolder& operator=(const TScratchFolder&) = delete;

    // The folder, without a trailing "/".
    const std::string& Path() const { return FPath; }
    std::string operator/(const std::string& Name) const { return FPath + "/" + Name; }

    // Writes Bytes exactly as given to Name (its folders made first); gives the file's full path.
    std::string Write(const std::string& Name, const std::string& Bytes) const;
    // A whole file's bytes; empty when it cannot be read.
    static std::string Read(const std::string& File);

    // Keeps the folder whatever the outcome, for a person who asked to see it (the journeys' own
    // OMBRIX_E2E_KEEP).
    void Keep() { FKeep = true; }

private:
    std::string FPath;
    bool FKeep = false;
};
