#pragma once
// Item identifier lists of the shell namespace: a run of items, each a 16-bit little-endian byte
// count (the count included) followed by the item's bytes, ended by a count of 0. Here an item is
// one component of a file-system path, so the list of "/home/ann" holds "home" and "ann", and the
// namespace root (the file system's "/") has the empty list.
#include <cstdint>
#include <string>
#include <vector>

using TItemIDList = std::vector<std::uint8_t>;

// A list of one item per path component ("/" or "" gives the empty list). Components longer than
// an item can hold are refused with an empty result and ok = false.
TItemIDList IDListFromPath(const std::string& Path, bool* Ok = nullptr);
// The path of a list: "/" for the empty list.
std::string PathFromIDList(const TItemIDList& List);

// The offset of the item after the one at Offset; the terminator's own offset at the end.
std::size_t NextItem(const TItemIDList& List, std::size_t Offset);
int ItemCount(const TItemIDList& List);
// The bytes of the list with its terminator; 0 for a list without one (not a list).
std::size_t ListSize(const TItemIDList& List);
TItemIDList ConcatIDLists(const TItemIDList& A, const TItemIDList& B);
// The list without its last item (nothing for an empty list).
void StripLastID(TItemIDList& List);
// The last item alone, as a list of one.
TItemIDList CopyLastID(const TItemIDList& List);
// The list and each shorter prefix, shortest first (the empty list is not among them).
std::vector<TItemIDList> ParentChain(const TItemIDList& List);
// The name an item holds.
std::string ItemName(const TItemIDList& List, std::size_t Offset);
