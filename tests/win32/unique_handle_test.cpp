#include "win32/unique_handle.h"

#include <gtest/gtest.h>

#include <type_traits>
#include <utility>
#include <vector>

namespace quillon::platform::win32 {
namespace {

// A handle kind whose closes are recorded, so that every close can be
// counted; -1 means "nothing", as INVALID_HANDLE_VALUE does for files.
std::vector<int> closed;

struct recorded_traits {
    using type = int;
    static constexpr int empty() noexcept { return -1; }
    static void close(int value) noexcept { closed.push_back(value); }
};
using unique_recorded = unique_any<recorded_traits>;

class UniqueAnyTest : public ::testing::Test {
protected:
    void SetUp() override { closed.clear(); }
};

static_assert(!std::is_copy_constructible_v<unique_recorded>);
static_assert(!std::is_copy_assignable_v<unique_recorded>);
static_assert(std::is_nothrow_move_constructible_v<unique_recorded>);
static_assert(!std::is_convertible_v<unique_recorded, bool>);
static_assert(!std::is_copy_constructible_v<unique_com<IUnknown>>);

TEST_F(UniqueAnyTest, ClosesOnceWhenItGoesAndNeverTheEmptyValue) {
    { unique_recorded handle(7); }
    { unique_recorded empty; }
    { unique_recorded zero(0); }
    EXPECT_EQ(closed, (std::vector<int>{7, 0}));
}

TEST_F(UniqueAnyTest, ResetClosesTheOldHandleOnly) {
    unique_recorded handle(1);
    handle.reset(2);
    EXPECT_EQ(closed, std::vector<int>{1});
    EXPECT_EQ(handle.get(), 2);
    handle.reset();
    EXPECT_EQ(closed, (std::vector<int>{1, 2}));
    EXPECT_FALSE(handle);
}

TEST_F(UniqueAnyTest, ReleaseHandsOverWithoutClosing) {
    unique_recorded handle(5);
    EXPECT_EQ(handle.release(), 5);
    EXPECT_FALSE(handle);
    EXPECT_EQ(handle.get(), -1);
    EXPECT_TRUE(closed.empty());
}

TEST_F(UniqueAnyTest, MovesHandOverAndCloseTheTargetsOldHandle) {
    unique_recorded first(1);
    unique_recorded second(std::move(first));
    EXPECT_FALSE(first);
    EXPECT_EQ(second.get(), 1);
    unique_recorded third(3);
    third = std::move(second);
    EXPECT_EQ(closed, std::vector<int>{3});
    EXPECT_EQ(third.get(), 1);
    auto& alias = third;
    third = std::move(alias);
    EXPECT_EQ(third.get(), 1);
    EXPECT_EQ(closed, std::vector<int>{3});
}

TEST_F(UniqueAnyTest, OutClosesTheHeldHandleBeforeItIsFilledAgain) {
    unique_recorded handle(4);
    *handle.out() = 9;
    EXPECT_EQ(closed, std::vector<int>{4});
    EXPECT_EQ(handle.get(), 9);
}

TEST(UniqueFileTest, TreatsInvalidHandleValueAsEmptyAndNullAsAHandle) {
    unique_file failed(CreateFileA("Q:\\no\\such\\folder\\file.txt", GENERIC_READ, 0, nullptr,
                                   OPEN_EXISTING, 0, nullptr));
    EXPECT_FALSE(failed);
    WIN32_FIND_DATAA entry{};
    unique_find search(FindFirstFileA("Q:\\no\\such\\folder\\*", &entry));
    EXPECT_FALSE(search);
}

TEST(UniqueHandleTest, ClosesARealHandle) {
    HANDLE raw = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    ASSERT_NE(raw, nullptr);
    { unique_handle owner(raw); }
    // A closed handle can no longer be waited on.
    EXPECT_EQ(WaitForSingleObject(raw, 0), WAIT_FAILED);
}

// A COM object that counts its references.
class CountedObject : public IUnknown {
public:
    ULONG references = 1;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** result) override {
        if (iid == IID_IUnknown) {
            *result = this;
            AddRef();
            return S_OK;
        }
        *result = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }
};

TEST(UniqueComTest, ReleasesItsReferenceOnceAndQueriesOthers) {
    CountedObject object;
    {
        unique_com<IUnknown> owner(&object);
        unique_com<IUnknown> other;
        ASSERT_EQ(owner.query(IID_IUnknown, other), S_OK);
        EXPECT_EQ(object.references, 2u);
        unique_com<IUnknown> moved(std::move(other));
        EXPECT_FALSE(other);
        unique_com<IDispatch> missing;
        EXPECT_EQ(owner.query(IID_IDispatch, missing), E_NOINTERFACE);
        EXPECT_FALSE(missing);
    }
    EXPECT_EQ(object.references, 0u);
}

TEST(UniqueComTest, OutReleasesTheHeldReferenceFirst) {
    CountedObject object;
    unique_com<IUnknown> owner(&object);
    object.AddRef();
    *owner.out() = &object;
    EXPECT_EQ(object.references, 1u);
    IUnknown* const released = owner.release();
    EXPECT_EQ(released, &object);
    EXPECT_EQ(object.references, 1u);
}

}  // namespace
}  // namespace quillon::platform::win32
