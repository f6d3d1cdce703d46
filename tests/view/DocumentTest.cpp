// Document::Load and Document::Release on real files in a private temporary folder.
#include "view/Document.h"
#include "view/LoadSeam.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>

#include "tests/support/ProgramHarness.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/WideText.h"

namespace {

const DWORD ViewExtraBytes = 2;  // what the view always asks for

// Each test works in a folder of its own under the temporary path.
class DocumentTest : public ::testing::Test {
protected:
    void TearDown() override { document_.Release(); }

    std::string Write(const std::string& name, const std::string& bytes) {
        std::string path = scratch_.Write(name, bytes);
        EXPECT_EQ(bytes, scratch_.Read(name)) << path;
        return path;
    }

    // A file whose end is set far out without writing anything: sparse where the file system
    // allows it. Returns an empty path when the size cannot be set.
    std::string WriteSized(const std::string& name, LONG high, LONG low) {
        return scratch_.WriteSized(name, high, low);
    }

    // Whether the file can be opened without sharing, that is whether no handle is left open.
    static bool NobodyHolds(const std::string& path) {
        HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            return false;
        }
        CloseHandle(file);
        return true;
    }

    std::string Bytes() const { return std::string(reinterpret_cast<const char*>(document_.data), document_.size); }

    void ExpectUnchanged(const Document& before, const std::string& bytes) {
        EXPECT_EQ(before.data, document_.data);
        EXPECT_EQ(before.begin, document_.begin);
        EXPECT_EQ(before.end, document_.end);
        EXPECT_EQ(before.capacity, document_.capacity);
        EXPECT_EQ(before.size, document_.size);
        if (document_.data != nullptr) {
            EXPECT_EQ(bytes, Bytes());
        }
    }

    harness::ScratchFolder scratch_;
    Document document_ = {};  // as in the static view: no constructor, all zero
};

}  // namespace

TEST_F(DocumentTest, EmptyFileLoadsAsTwoZeroBytes) {
    std::string path = Write("empty.bin", "");
    LoadFailure failure = LoadFailure::CannotOpen;
    ASSERT_EQ(1, document_.Load(Wide(path).c_str(), ViewExtraBytes, &failure));
    EXPECT_EQ(LoadFailure::None, failure);
    ASSERT_NE(nullptr, document_.data);
    EXPECT_EQ(0u, document_.size);
    EXPECT_EQ(2u, document_.capacity);
    EXPECT_EQ(document_.data, document_.begin);
    EXPECT_EQ(document_.data, document_.end);
    EXPECT_GE(GlobalSize(document_.data), 2u);
    EXPECT_EQ(0, document_.data[0]);
    EXPECT_EQ(0, document_.data[1]);
    EXPECT_TRUE(NobodyHolds(path));
}

TEST_F(DocumentTest, BytesAreFollowedByTwoZeroBytes) {
    std::string content("Hello\0\xFF\x7F" "abc\xFE\xFE", 13);
    std::string path = Write("data.bin", content);
    ASSERT_EQ(1, document_.Load(Wide(path).c_str(), ViewExtraBytes));
    EXPECT_EQ(content.size(), document_.size);
    EXPECT_EQ(content.size() + 2, document_.capacity);
    EXPECT_EQ(content, Bytes());
    EXPECT_EQ(document_.data, document_.begin);
    EXPECT_EQ(document_.data + content.size(), document_.end);
    EXPECT_EQ(0, document_.data[content.size()]);
    EXPECT_EQ(0, document_.data[content.size() + 1]);
    EXPECT_TRUE(NobodyHolds(path));
}

TEST_F(DocumentTest, WholeFileInOneBlockWithOtherExtraCounts) {
    std::string content(100000, '\0');
    for (size_t i = 0; i < content.size(); ++i) {
        content[i] = static_cast<char>(i * 7 + 1);
    }
    std::string path = Write("large.bin", content);
    ASSERT_EQ(1, document_.Load(Wide(path).c_str(), 0));
    EXPECT_EQ(content.size(), document_.capacity);
    EXPECT_EQ(content, Bytes());
    ASSERT_EQ(1, document_.Load(Wide(path).c_str(), 16));
    EXPECT_EQ(content.size() + 16, document_.capacity);
    EXPECT_EQ(content, Bytes());
    for (DWORD i = 0; i < 16; ++i) {
        EXPECT_EQ(0, document_.data[content.size() + i]) << i;
    }
}

TEST_F(DocumentTest, FileHeldWithoutSharingFailsAndKeepsThePreviousBlock) {
    std::string first = Write("first.bin", "previous document");
    std::string locked = Write("locked.bin", "locked bytes");
    ASSERT_EQ(1, document_.Load(Wide(first).c_str(), ViewExtraBytes));
    const Document before = document_;

    HANDLE holder = CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, holder);
    LoadFailure failure = LoadFailure::None;
    EXPECT_EQ(0, document_.Load(Wide(locked).c_str(), ViewExtraBytes, &failure));
    EXPECT_EQ(LoadFailure::CannotOpen, failure);
    CloseHandle(holder);

    ExpectUnchanged(before, "previous document");
    EXPECT_EQ(0, document_.data[document_.size]);
    EXPECT_EQ(0, document_.data[document_.size + 1]);

    // Once the other handle is gone the same file loads.
    ASSERT_EQ(1, document_.Load(Wide(locked).c_str(), ViewExtraBytes, &failure));
    EXPECT_EQ(LoadFailure::None, failure);
    EXPECT_EQ("locked bytes", Bytes());
}

TEST_F(DocumentTest, SecondLoadReplacesTheFirst) {
    std::string first = Write("first.bin", std::string(300, 'x'));
    std::string second = Write("second.bin", "abc");
    ASSERT_EQ(1, document_.Load(Wide(first).c_str(), ViewExtraBytes));
    ASSERT_EQ(1, document_.Load(Wide(second).c_str(), ViewExtraBytes));
    EXPECT_EQ(3u, document_.size);
    EXPECT_EQ(5u, document_.capacity);
    EXPECT_EQ("abc", Bytes());
    EXPECT_EQ(document_.data, document_.begin);
    EXPECT_EQ(document_.data + 3, document_.end);
    EXPECT_EQ(0, document_.data[3]);
    EXPECT_EQ(0, document_.data[4]);
    EXPECT_TRUE(NobodyHolds(first));
    EXPECT_TRUE(NobodyHolds(second));
}

TEST_F(DocumentTest, MissingFileFailsAndChangesNothing) {
    std::string missing = scratch_.Path("no such file.bin");
    LoadFailure failure = LoadFailure::None;
    EXPECT_EQ(0, document_.Load(Wide(missing).c_str(), ViewExtraBytes, &failure));
    EXPECT_EQ(LoadFailure::CannotOpen, failure);
    ExpectUnchanged(Document{}, "");

    std::string present = Write("present.bin", "kept");
    ASSERT_EQ(1, document_.Load(Wide(present).c_str(), ViewExtraBytes));
    const Document before = document_;
    EXPECT_EQ(0, document_.Load(Wide(missing).c_str(), ViewExtraBytes));  // no failure record asked for
    ExpectUnchanged(before, "kept");
    EXPECT_EQ(0, document_.Load(Wide(scratch_.Path("missing dir\\f.bin")).c_str(), ViewExtraBytes));
    EXPECT_EQ(0, document_.Load(L"", ViewExtraBytes));
    ExpectUnchanged(before, "kept");
}

TEST_F(DocumentTest, AFolderIsNotADocument) {
    LoadFailure failure = LoadFailure::None;
    EXPECT_EQ(0, document_.Load(Wide(scratch_.Path("")).c_str(), ViewExtraBytes, &failure));
    EXPECT_NE(LoadFailure::None, failure);
    // Whichever step refused it, no block may be left behind that data does not point to.
    if (document_.data == nullptr) {
        EXPECT_EQ(nullptr, document_.begin);
        EXPECT_EQ(nullptr, document_.end);
    }
}

TEST(DocumentSize, LoadableSizesStayBelowTwoGibibytes) {
    struct Case { DWORD high, low, extra; bool loadable; };
    const Case cases[] = {
        {0, 0, 2, true},
        {0, 1, 2, true},
        {0, 0x7FFFFFFD, 2, true},
        {0, 0x7FFFFFFF, 2, true},              // the largest: capacity 0x80000001 still fits
        {0, 0x80000000, 2, false},             // exactly 2 GiB
        {0, 0x80000000, 0, false},
        {0, 0xFFFFFFFF, 2, false},             // INVALID_FILE_SIZE as a real low part
        {1, 0, 2, false},                      // 4 GiB: the low part alone would look empty
        {1, 5, 2, false},
        {0xFFFFFFFF, 0xFFFFFFFF, 0, false},
        {0, 0x7FFFFFFF, 0x80000000, true},     // capacity 0xFFFFFFFF
        {0, 0x7FFFFFFF, 0x80000001, false},    // capacity would wrap to 0
        {0, 10, 0xFFFFFFF5, true},
        {0, 10, 0xFFFFFFF6, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.loadable, IsLoadableSize(c.high, c.low, c.extra))
            << std::hex << c.high << ":" << c.low << " + " << c.extra;
    }
}

TEST_F(DocumentTest, TwoGibibytesOrMoreAreRefusedWithoutChange) {
    std::string kept = Write("kept.bin", "small");
    ASSERT_EQ(1, document_.Load(Wide(kept).c_str(), ViewExtraBytes));
    const Document before = document_;

    struct Case { const char* name; LONG high; LONG low; };
    const Case cases[] = {
        {"two gib.bin", 0, static_cast<LONG>(0x80000000u)},
        {"four gib and five.bin", 1, 5},            // the low part alone would read 5 bytes
        {"four gib.bin", 1, 0},                     // the low part alone would read nothing
    };
    for (const Case& c : cases) {
        std::string path = WriteSized(c.name, c.high, c.low);
        if (path.empty()) {
            ADD_FAILURE() << "cannot make a sparse file " << c.name << " here";
            continue;
        }
        LoadFailure failure = LoadFailure::None;
        EXPECT_EQ(0, document_.Load(Wide(path).c_str(), ViewExtraBytes, &failure)) << c.name;
        EXPECT_EQ(LoadFailure::TooLarge, failure) << c.name;
        ExpectUnchanged(before, "small");
        EXPECT_TRUE(NobodyHolds(path)) << c.name;
        DeleteFileA(path.c_str());
    }
}

TEST_F(DocumentTest, BlockThatCannotBeAllocatedLeavesNoBlock) {
    // The old block is released before the new one is asked for: when none is to be had,
    // data is null rather than the previous file's bytes.
    std::string kept = Write("kept.bin", "small");
    ASSERT_EQ(1, document_.Load(Wide(kept).c_str(), ViewExtraBytes));
    std::string path = Write("wanted.bin", "twelve bytes");
    loadGlobalAlloc = harness::NoFreeBlock;
    LoadFailure failure = LoadFailure::None;
    int loaded = document_.Load(Wide(path).c_str(), ViewExtraBytes, &failure);
    loadGlobalAlloc = GlobalAlloc;
    EXPECT_EQ(0, loaded);
    EXPECT_EQ(LoadFailure::NoMemory, failure);
    EXPECT_EQ(nullptr, document_.data);
    EXPECT_EQ(nullptr, document_.begin);
    EXPECT_EQ(nullptr, document_.end);
    EXPECT_EQ(12u, document_.size);
    EXPECT_TRUE(NobodyHolds(path));

    // The next load starts from nothing and works.
    ASSERT_EQ(1, document_.Load(Wide(kept).c_str(), ViewExtraBytes));
    EXPECT_EQ("small", Bytes());
}

TEST_F(DocumentTest, TheLargestLoadableFileNeedsA64BitAddressSpace) {
    // Just under 2 GiB is within the design; a 32-bit process cannot hold it in one block, a
    // 64-bit one can.
    const DWORD hugeSize = 0x7FFFFFF0;
    std::string path = WriteSized("huge.bin", 0, static_cast<LONG>(hugeSize));
    ASSERT_FALSE(path.empty());
    LoadFailure failure = LoadFailure::None;
    int loaded = document_.Load(Wide(path).c_str(), ViewExtraBytes, &failure);
    EXPECT_EQ(hugeSize, document_.size);
    EXPECT_TRUE(NobodyHolds(path));
    if (sizeof(void*) == 4) {
        EXPECT_EQ(0, loaded);
        EXPECT_EQ(LoadFailure::NoMemory, failure);
        EXPECT_EQ(nullptr, document_.data);
    } else {
        EXPECT_EQ(1, loaded);
        EXPECT_EQ(LoadFailure::None, failure);
        ASSERT_NE(nullptr, document_.data);
        EXPECT_EQ(0, document_.data[hugeSize - 1]);
        EXPECT_EQ(document_.data + hugeSize, document_.end);
    }
}

TEST(DocumentRelease, FreesOnceAndIsSafeToRepeat) {
    Document document = {};
    document.Release();
    EXPECT_EQ(nullptr, document.data);

    document.data = static_cast<BYTE*>(GlobalAlloc(GMEM_ZEROINIT, 8));
    ASSERT_NE(nullptr, document.data);
    document.begin = document.data;
    document.end = document.data + 6;
    document.capacity = 8;
    document.size = 6;
    document.Release();
    EXPECT_EQ(nullptr, document.data);
    EXPECT_EQ(nullptr, document.begin);
    EXPECT_EQ(nullptr, document.end);
    EXPECT_EQ(6u, document.size);
    document.Release();
    EXPECT_EQ(nullptr, document.data);
}
