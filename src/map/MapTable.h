#pragma once
#include <cstdint>
#include <vector>

#include "base/IDestructor.h"
#include "base/IObject.h"
#include "map/MapEntry.h"
#include "thread/ObjLocker.h"
#include "thread/PooledBy.h"

namespace s::map {

// A chained hash table from framework objects to framework objects. Keys
// compare and hash through their own equals/hashCode (or the ignore-case
// forms); bucket counts step through a fixed table of primes, growing when
// the table is half full. The table does not lock by itself: callers that
// share one enter locker().
class MapTable : public s::base::IObject, public s::thread::PooledBy<MapTable> {
public:
    static constexpr int32_t kPrimeCount = 20;
    static const uint32_t kPrimes[kPrimeCount];

    MapTable() = default;
    ~MapTable() override { clear(); }

    const char16_t* className() const override { return u"s_map_MapTable"; }
    s::base::IObject* newInstance() const override { return take(); }
    // Clears the entries (with the disposers) and forgets the settings.
    void reset() override;

    void setIgnoreCase(bool ignoreCase) { m_ignoreCase = ignoreCase; }
    // Disposers the table applies to keys and values when it is cleared; none by default.
    void setDisposers(s::base::IDestructor* keyDisposer, s::base::IDestructor* valueDisposer);

    // False (and nothing stored) when an equal key is present or memory ran out.
    bool put(s::base::IObject* key, s::base::IObject* value);
    // The value stored under an equal key, or null.
    s::base::IObject* get(const s::base::IObject* key) const;
    bool containsKey(const s::base::IObject* key) const;
    int32_t count() const { return m_count; }
    uint32_t bucketCount() const { return static_cast<uint32_t>(m_buckets.size()); }
    // Removes every entry, disposing of keys and values when disposers are set.
    void clear();

    s::thread::ObjLocker& locker() { return m_locker; }

private:
    MapEntry* find(const s::base::IObject* key) const;
    uint32_t hashOf(const s::base::IObject* key) const;
    bool sameKey(const s::base::IObject* a, const s::base::IObject* b) const;
    void rehash(int32_t primeIndex);
    static void appendToChain(MapEntry** head, MapEntry* entry);

    s::thread::ObjLocker m_locker;
    std::vector<MapEntry*> m_buckets;  // chains of records owned through the entry factory
    int32_t m_count = 0;
    int32_t m_primeIndex = 0;
    bool m_ignoreCase = false;
    s::base::IDestructor* m_keyDisposer = nullptr;    // not owned
    s::base::IDestructor* m_valueDisposer = nullptr;  // not owned
};

}  // namespace s::map
