// A thread's map from handles to the objects that wrap them, shared by windows,
// graphic objects and device contexts. Permanent entries are made by Attach
// and removed by Detach. A handle that nobody attached gets a temporary
// wrapper from FromHandle, deleted at idle time. A temporary wrapper that is
// replaced (its handle got attached, or is wanted as another class) is
// retired: it stays valid for whoever still holds it until that idle time.
#pragma once

#include "win/Platform.h"
#include <unordered_map>
#include <vector>

template <class THandle, class TObject>
class CHandleMap {
public:
    TObject* LookupPermanent(THandle h) const
    {
        typename CMap::const_iterator it = m_permanent.find(h);
        return it != m_permanent.end() ? it->second : nullptr;
    }

    // The temporary wrapper of h. One that does not fit (fits(p) is false)
    // is retired; a new one comes from create().
    template <class TFits, class TCreate>
    TObject* Temporary(THandle h, TFits fits, TCreate create)
    {
        TObject*& pTemp = m_temporary[h];
        if (pTemp != nullptr && !fits(pTemp)) {
            m_retired.push_back(pTemp);
            pTemp = nullptr;
        }
        if (pTemp == nullptr)
            pTemp = create();
        return pTemp;
    }

    // Makes pObject the owner of h, retiring a temporary wrapper; false when
    // another object holds h.
    bool SetPermanent(THandle h, TObject* pObject)
    {
        TObject* pOther = LookupPermanent(h);
        if (pOther != nullptr && pOther != pObject)
            return false;
        typename CMap::iterator itTemp = m_temporary.find(h);
        if (itTemp != m_temporary.end()) {
            m_retired.push_back(itTemp->second);
            m_temporary.erase(itTemp);
        }
        m_permanent[h] = pObject;
        return true;
    }

    // Removes h's entry when it is pObject's.
    void RemovePermanent(THandle h, TObject* pObject)
    {
        typename CMap::iterator it = m_permanent.find(h);
        if (it != m_permanent.end() && it->second == pObject)
            m_permanent.erase(it);
    }

    // Deletes the temporary and retired wrappers; release(p) first takes the
    // handle away from each, since the handle belongs to someone else.
    template <class TRelease>
    void DeleteTemporary(TRelease release)
    {
        // Swapped out first: a destructor must not find the map half torn down.
        CMap mapTemp;
        mapTemp.swap(m_temporary);
        std::vector<TObject*> retired;
        retired.swap(m_retired);
        for (typename CMap::value_type& entry : mapTemp)
            retired.push_back(entry.second);
        for (TObject* pObject : retired) {
            release(pObject);
            delete pObject;
        }
    }

private:
    typedef std::unordered_map<THandle, TObject*> CMap;
    CMap m_permanent;
    CMap m_temporary;
    std::vector<TObject*> m_retired;
};
