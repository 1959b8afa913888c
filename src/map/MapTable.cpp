#include "map/MapTable.h"

#include "map/MapEntryFactory.h"

namespace s::map {

const uint32_t MapTable::kPrimes[kPrimeCount] = {
    211,     431,     863,      1733,     3467,     6947,     13901,    27803,    55609,    111227,
    222461,  444929,  889871,   1779761,  3559537,  7119103,  14238221, 28476473, 56952947, 113905901,
};

void MapTable::reset()
{
    clear();
    std::vector<MapEntry*>().swap(m_buckets);
    m_primeIndex = 0;
    m_ignoreCase = false;
    m_keyDisposer = nullptr;
    m_valueDisposer = nullptr;
}

void MapTable::setDisposers(s::base::IDestructor* keyDisposer, s::base::IDestructor* valueDisposer)
{
    m_keyDisposer = keyDisposer;
    m_valueDisposer = valueDisposer;
}

uint32_t MapTable::hashOf(const s::base::IObject* key) const
{
    return m_ignoreCase ? key->hashCodeIgnoreCase() : key->hashCode();
}

bool MapTable::sameKey(const s::base::IObject* a, const s::base::IObject* b) const
{
    return m_ignoreCase ? a->equalsIgnoreCase(b) : a->equals(b);
}

void MapTable::appendToChain(MapEntry** head, MapEntry* entry)
{
    while (*head)
        head = &(*head)->next;
    entry->next = nullptr;
    *head = entry;
}

bool MapTable::put(s::base::IObject* key, s::base::IObject* value)
{
    if (!key)
        return false;
    // 1. Buckets on first use; a larger prime once the table is half full.
    if (m_buckets.empty())
        m_buckets.assign(kPrimes[m_primeIndex], nullptr);
    else if (static_cast<uint32_t>(m_count) >= bucketCount() / 2 && m_primeIndex + 1 < kPrimeCount)
        rehash(m_primeIndex + 1);
    // 2-3. An equal key in the chain means the key is present.
    if (find(key))
        return false;
    const uint32_t hash = hashOf(key);
    MapEntry** slot = &m_buckets[hash % bucketCount()];
    // 4. A new entry at the end of the chain.
    auto* entry = static_cast<MapEntry*>(MapEntryFactory::instance().get());
    if (!entry)
        return false;
    entry->hash = hash;
    entry->key = key;
    entry->value = value;
    appendToChain(slot, entry);
    ++m_count;
    return true;
}

void MapTable::rehash(int32_t primeIndex)
{
    std::vector<MapEntry*> buckets(kPrimes[primeIndex], nullptr);
    for (MapEntry* head : m_buckets) {
        while (head) {
            MapEntry* next = head->next;
            appendToChain(&buckets[head->hash % buckets.size()], head);
            head = next;
        }
    }
    m_buckets.swap(buckets);
    m_primeIndex = primeIndex;
}

MapEntry* MapTable::find(const s::base::IObject* key) const
{
    if (!key || m_buckets.empty())
        return nullptr;
    const uint32_t hash = hashOf(key);
    for (MapEntry* entry = m_buckets[hash % bucketCount()]; entry; entry = entry->next) {
        if (entry->hash == hash && sameKey(entry->key, key))
            return entry;
    }
    return nullptr;
}

s::base::IObject* MapTable::get(const s::base::IObject* key) const
{
    const MapEntry* entry = find(key);
    return entry ? entry->value : nullptr;
}

bool MapTable::containsKey(const s::base::IObject* key) const { return find(key) != nullptr; }

void MapTable::clear()
{
    for (MapEntry*& head : m_buckets) {
        while (head) {
            MapEntry* entry = head;
            head = entry->next;
            void* key = entry->key;
            void* value = entry->value;
            if (m_keyDisposer)
                m_keyDisposer->dispose(&key);
            if (m_valueDisposer)
                m_valueDisposer->dispose(&value);
            MapEntryFactory::instance().put(entry, -1);
        }
    }
    m_count = 0;
}

}  // namespace s::map
