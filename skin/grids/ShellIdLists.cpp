#include "skin/grids/ShellIdLists.h"

namespace {

std::size_t CountAt(const TItemIDList& List, std::size_t Offset)
{
    if (Offset + 2 > List.size())
        return 0;
    return static_cast<std::size_t>(List[Offset] | (List[Offset + 1] << 8));
}

void AppendItem(TItemIDList& List, const std::string& Name)
{
    const std::size_t count = Name.size() + 2;
    List.push_back(static_cast<std::uint8_t>(count & 0xFF));
    List.push_back(static_cast<std::uint8_t>(count >> 8));
    List.insert(List.end(), Name.begin(), Name.end());
}

void Terminate(TItemIDList& List)
{
    List.push_back(0);
    List.push_back(0);
}

} // namespace

TItemIDList IDListFromPath(const std::string& Path, bool* Ok)
{
    TItemIDList list;
    std::size_t at = 0;
    while (at < Path.size()) {
        std::size_t end = Path.find('/', at);
        if (end == std::string::npos)
            end = Path.size();
        const std::string name = Path.substr(at, end - at);
        if (!name.empty() && name != ".") {
            if (name.size() + 2 > 0xFFFF) {
                if (Ok)
                    *Ok = false;
                return TItemIDList{0, 0};
            }
            AppendItem(list, name);
        }
        at = end + 1;
    }
    Terminate(list);
    if (Ok)
        *Ok = true;
    return list;
}

std::string PathFromIDList(const TItemIDList& List)
{
    std::string path;
    for (std::size_t at = 0; CountAt(List, at) != 0;) {
        const std::size_t next = NextItem(List, at);
        // A damaged count (below 2, or past the end) would never move on: the walk ends there.
        if (next == at)
            break;
        path += "/" + ItemName(List, at);
        at = next;
    }
    return path.empty() ? "/" : path;
}

std::size_t NextItem(const TItemIDList& List, std::size_t Offset)
{
    const std::size_t count = CountAt(List, Offset);
    // A count that runs past the end (a damaged list) ends the walk.
    if (count < 2 || Offset + count > List.size())
        return Offset;
    return Offset + count;
}

int ItemCount(const TItemIDList& List)
{
    int n = 0;
    for (std::size_t at = 0; CountAt(List, at) >= 2 && NextItem(List, at) != at; at = NextItem(List, at))
        ++n;
    return n;
}

std::size_t ListSize(const TItemIDList& List)
{
    std::size_t at = 0;
    while (CountAt(List, at) != 0) {
        const std::size_t next = NextItem(List, at);
        if (next == at)
            return 0;
        at = next;
    }
    return at + 2 <= List.size() ? at + 2 : 0;
}

TItemIDList ConcatIDLists(const TItemIDList& A, const TItemIDList& B)
{
    TItemIDList out;
    const std::size_t a = ListSize(A);
    if (a >= 2)
        out.insert(out.end(), A.begin(), A.begin() + static_cast<std::ptrdiff_t>(a - 2));
    const std::size_t b = ListSize(B);
    if (b >= 2)
        out.insert(out.end(), B.begin(), B.begin() + static_cast<std::ptrdiff_t>(b));
    else
        Terminate(out);
    return out;
}

void StripLastID(TItemIDList& List)
{
    std::size_t at = 0;
    std::size_t last = std::string::npos;
    while (CountAt(List, at) != 0 && NextItem(List, at) != at) {
        last = at;
        at = NextItem(List, at);
    }
    if (last == std::string::npos)
        return;
    List.resize(last);
    Terminate(List);
}

TItemIDList CopyLastID(const TItemIDList& List)
{
    std::size_t at = 0;
    std::size_t last = std::string::npos;
    while (CountAt(List, at) != 0 && NextItem(List, at) != at) {
        last = at;
        at = NextItem(List, at);
    }
    TItemIDList out;
    if (last != std::string::npos)
        out.assign(List.begin() + static_cast<std::ptrdiff_t>(last), List.begin() + static_cast<std::ptrdiff_t>(at));
    Terminate(out);
    return out;
}

std::vector<TItemIDList> ParentChain(const TItemIDList& List)
{
    std::vector<TItemIDList> chain;
    TItemIDList current = List;
    while (ItemCount(current) > 0) {
        chain.insert(chain.begin(), current);
        StripLastID(current);
    }
    return chain;
}

std::string ItemName(const TItemIDList& List, std::size_t Offset)
{
    const std::size_t count = CountAt(List, Offset);
    if (count < 2 || Offset + count > List.size())
        return std::string();
    return std::string(List.begin() + static_cast<std::ptrdiff_t>(Offset + 2), List.begin() + static_cast<std::ptrdiff_t>(Offset + count));
}
