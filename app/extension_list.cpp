// Whole-word look-ups in extension lists (see extension_list.h).
#include "app/extension_list.h"

#include <cstring>

bool extensionListed(const char* list, const char* name) {
    const size_t length = std::strlen(name);
    if (list == nullptr) {
        return false;
    }
    for (const char* at = list; (at = std::strstr(at, name)) != nullptr; at += length) {
        const bool startsWord = at == list || at[-1] == ' ';
        const bool endsWord = at[length] == ' ' || at[length] == '\0';
        if (startsWord && endsWord) {
            return true;
        }
    }
    return false;
}
