// The framework throws its exceptions as pointers that the catcher deletes.
#pragma once

namespace support {

// True when call throws an E*, which is deleted here.
template <typename E, typename Call>
bool Throws(Call call)
{
    try {
        call();
    } catch (E* e) {
        e->Delete();
        return true;
    }
    return false;
}

}  // namespace support
