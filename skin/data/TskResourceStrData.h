#pragma once
// NAME=text lines that replace the skin library's built-in user-interface texts (see SkinStrings.h).
// A new one already holds every NAME with its default text.
#include <memory>
#include <string>

#include "platform/vcl/TComponent.h"

class TStrings;
class TStringList;

class TskResourceStrData : public TComponent {
public:
    explicit TskResourceStrData(TComponent* AOwner);
    ~TskResourceStrData() override;

    TStrings& ResStrings() const;
    // Copies the lines; the given list is not kept.
    void SetResStrings(const TStrings& Value);
    // A font character set kept with the texts for their users; 1 (DEFAULT_CHARSET) after Create.
    int CharSet() const { return FCharSet; }
    void SetCharSet(int Value) { FCharSet = Value; }

    // The text after the first "=" of the first line whose name part equals NAME without regard to case;
    // empty when no line has it. Lines without "=" never match.
    std::string LookupResString(const std::string& Name) const;

private:
    void InitResStrings();

    std::unique_ptr<TStringList> FResStrings;
    int FCharSet = 1;
};

// Registers TskResourceStrData with the form reader (called at start-up by RegisterSkinDataClasses).
void RegisterResourceStrData();
