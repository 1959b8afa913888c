#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <thread>
#include <vector>

#include "cleaner/CleanerRawObject.h"
#include "col/_array/ArrayBase.h"
#include "col/_array/ArrayP.h"
#include "col/_array/Growth.h"
#include "str/strarray/StrArray.h"
#include "str/strbuffer/StrBuffer.h"
#include "thread/EasyPooler.h"
#include "thread/Factory.h"
#include "thread/Pooled.h"
#include "thread/PooledBy.h"

using s::str::strbuffer::StrBuffer;
using s::thread::EasyPooler;

namespace {

// A pooled class that counts what its pool does to it.
struct Counts {
    int created = 0;
    int destroyed = 0;
    int resets = 0;
};
Counts g_counts;

template <uint32_t Capacity>
class Probe : public s::base::IObject, public s::thread::PooledBy<Probe<Capacity>, Capacity> {
public:
    Probe() { ++g_counts.created; }
    ~Probe() override { ++g_counts.destroyed; }
    const char16_t* className() const override { return u"Probe"; }
    s::base::IObject* newInstance() const override { return Probe::take(); }
    void reset() override
    {
        ++g_counts.resets;
        value = 0;
    }
    int value = 0;
};

TEST(Pool, CapacityZeroNeverKeepsAnything)
{
    g_counts = {};
    for (int i = 0; i < 3; ++i) {
        auto* object = Probe<0>::take();
        object->release();
    }
    EXPECT_EQ(3, g_counts.created);
    EXPECT_EQ(3, g_counts.destroyed);
    EXPECT_EQ(0, g_counts.resets);
    EXPECT_EQ(0u, Probe<0>::classPool().idleCount());
}

TEST(Pool, KeepsUpToCapacityThenDestroysWithoutReset)
{
    g_counts = {};
    std::vector<Probe<1000>*> taken;
    for (int i = 0; i < 1001; ++i)
        taken.push_back(Probe<1000>::take());
    for (auto* object : taken)
        object->release();
    EXPECT_EQ(1000u, Probe<1000>::classPool().idleCount());
    EXPECT_EQ(1000, g_counts.resets);
    EXPECT_EQ(1, g_counts.destroyed);
}

TEST(Pool, ReturnsObjectsResetAndLastInFirstOut)
{
    auto* first = Probe<1000>::take();
    auto* second = Probe<1000>::take();
    first->value = 7;
    second->value = 9;
    first->release();
    second->release();
    auto* again = Probe<1000>::take();
    EXPECT_EQ(second, again);
    EXPECT_EQ(0, again->value);
    again->release();

    StrBuffer* text = StrBuffer::make(u"previous contents");
    text->release();
    StrBuffer* reused = StrBuffer::take();
    EXPECT_TRUE(reused->isEmpty());
    reused->release();
}

TEST(Pool, DisposeReleasesAndNullsButIgnoresNull)
{
    void* nothing = nullptr;
    StrBuffer::classPool().dispose(&nothing);
    EXPECT_EQ(nullptr, nothing);

    const uint32_t idleBefore = StrBuffer::classPool().idleCount();
    StrBuffer* text = StrBuffer::make(u"x");
    const uint32_t idleTaken = StrBuffer::classPool().idleCount();
    void* pointer = static_cast<s::base::IObject*>(text);
    StrBuffer::classPool().dispose(&pointer);
    EXPECT_EQ(nullptr, pointer);
    EXPECT_EQ(idleTaken + 1, StrBuffer::classPool().idleCount());
    EXPECT_LE(idleTaken, idleBefore);
}

TEST(Pool, HolderReleasesOnEveryWayOut)
{
    g_counts = {};
    {
        s::thread::Pooled<Probe<0>> held(Probe<0>::take());
        s::thread::Pooled<Probe<0>> handedOn(Probe<0>::take());
        Probe<0>* kept = handedOn.take();
        EXPECT_EQ(0, g_counts.destroyed);
        kept->release();
    }
    EXPECT_EQ(2, g_counts.destroyed);
}

TEST(Pool, ManyThreadsShareOnePool)
{
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([] {
            for (int i = 0; i < 2000; ++i) {
                StrBuffer* text = StrBuffer::make(u"abc");
                text->appendInt(i);
                text->release();
            }
        });
    }
    for (auto& thread : threads)
        thread.join();
    EXPECT_LE(StrBuffer::classPool().idleCount(), 1000u);
}

// A record factory with size accounting: blocks whose first int is their size.
class BlockFactory : public s::thread::Factory {
public:
    ~BlockFactory() override { destroyIdle(); }
    void* generateRecord() override { return std::calloc(1, 4096); }
    void resetObject(void*) override {}
    void destroyObject(void** object) override
    {
        std::free(*object);
        *object = nullptr;
        ++destroyed;
    }
    int32_t objectSize(void* object) override { return *static_cast<int32_t*>(object); }
    int destroyed = 0;
};

TEST(Pool, SizeAccountingDestroysLargeRecordsEvenWhenEmpty)
{
    BlockFactory factory;
    factory.setSizeAccounting(true);
    void* large = factory.get();
    *static_cast<int32_t*>(large) = 2000;
    factory.put(large, -1);
    EXPECT_EQ(1, factory.destroyed);
    EXPECT_EQ(0u, factory.idleCount());

    void* small = factory.get();
    *static_cast<int32_t*>(small) = 100;
    factory.put(small, -1);
    EXPECT_EQ(1u, factory.idleCount());
    EXPECT_EQ(100, factory.idleBytes());
    void* again = factory.get();
    EXPECT_EQ(small, again);
    EXPECT_EQ(0, factory.idleBytes());
    factory.put(again, -1);
}

TEST(Array, GrowsByTheFrameworkRule)
{
    struct Step {
        size_t from;
        size_t to;
    } steps[] = {{0, 2}, {2, 100}, {99, 100}, {100, 300}, {9999999, 29999997}, {10000000, 20000000}, {50000000, 75000000}, {100000000, 120000000}};
    for (const Step& step : steps) {
        SCOPED_TRACE(step.from);
        EXPECT_EQ(step.to, s::col::_array::nextCapacity(step.from));
    }
    s::col::_array::ArrayS32 numbers;
    for (int i = 0; i < 101; ++i)
        numbers.add(i);
    EXPECT_EQ(300u, numbers.capacity());
    EXPECT_EQ(100, numbers.at(100));
}

TEST(Array, DisposerDecidesWhatClearingDoes)
{
    s::col::_array::ArrayP<void> raw;
    raw.setElementDisposer(&s::cleaner::CleanerRawObject::instance());
    raw.add(std::malloc(16));
    raw.add(std::malloc(16));
    raw.clear();  // freed: a leak here fails the sanitized build
    EXPECT_EQ(0, raw.count());

    StrBuffer* kept = StrBuffer::make(u"mine");
    {
        s::col::_array::ArrayP<StrBuffer> borrowed;
        borrowed.add(kept);
        borrowed.clear();
    }
    EXPECT_EQ(u"mine", kept->str());
    kept->release();
}

TEST(String, HashAndComparisonRules)
{
    // h = h * 2, bit 31 folded into bit 0, then XOR with the unit.
    EXPECT_EQ(0u, StrBuffer::hashOf(u""));
    EXPECT_EQ(static_cast<uint32_t>('a'), StrBuffer::hashOf(u"a"));
    EXPECT_EQ((static_cast<uint32_t>('a') << 1) ^ 'b', StrBuffer::hashOf(u"ab"));
    std::u16string longText(40, u'\xFFFF');
    uint32_t h = 0;
    for (char16_t c : longText) {
        h <<= 1;
        if (h & 0x80000000u)
            h |= 1;
        h ^= c;
    }
    EXPECT_EQ(h, StrBuffer::hashOf(longText));
    EXPECT_EQ(StrBuffer::hashOfIgnoreCase(u"German"), StrBuffer::hashOf(u"german"));

    StrBuffer* a = StrBuffer::make(u"Abc");
    StrBuffer* b = StrBuffer::make(u"aBC");
    StrBuffer* c = StrBuffer::make(u"\u00C4bc");  // only ASCII letters fold
    EXPECT_FALSE(a->equals(b));
    EXPECT_TRUE(a->equalsIgnoreCase(b));
    s::thread::Pooled<StrBuffer> d(StrBuffer::make(u"\u00E4bc"));
    EXPECT_FALSE(c->equalsIgnoreCase(d.get()));
    EXPECT_LT(a->compareTo(b), 0);  // 'A' < 'a' by code unit
    EXPECT_EQ(0, a->compareToIgnoreCase(b));
    EXPECT_EQ(a->hashCodeIgnoreCase(), b->hashCodeIgnoreCase());
    a->release();
    b->release();
    c->release();
}

TEST(String, ArrayOwnsItsStrings)
{
    auto* list = s::str::strarray::StrArray::take();
    list->add(u"one");
    list->add(u"two");
    EXPECT_EQ(2, list->count());
    EXPECT_EQ(u"two", list->at(1).str());
    list->release();
    auto* again = s::str::strarray::StrArray::take();
    EXPECT_EQ(0, again->count());
    again->release();
}

}  // namespace
