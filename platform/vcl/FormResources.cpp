#include "platform/vcl/FormResources.h"

#include <map>
#include <mutex>

#include "platform/rtl/Strings.h"

namespace {
struct TResources {
    std::mutex Lock;
    std::map<std::string, std::string> Texts; // by upper-case name
};
TResources& Resources()
{
    static TResources r;
    return r;
}
} // namespace

bool RegisterFormResource(const std::string& Name, const std::string& Text)
{
    auto& r = Resources();
    std::lock_guard<std::mutex> guard(r.Lock);
    r.Texts[UpperCase(Name)] = Text;
    return true;
}

const std::string* FindFormResource(const std::string& Name)
{
    auto& r = Resources();
    std::lock_guard<std::mutex> guard(r.Lock);
    auto it = r.Texts.find(UpperCase(Name));
    // Entries are never removed, only replaced in place, so the pointer stays valid.
    return it == r.Texts.end() ? nullptr : &it->second;
}
