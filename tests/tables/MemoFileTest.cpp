#include "MemoFile.h"
#include "FieldCodec.h"
#include "TableTestSupport.h"

#include <gtest/gtest.h>

namespace vell3::tables::test {
namespace {

// "<prefix><n><suffix>", appended piece by piece: GCC 12 at -O3 takes
// "literal" + std::string&& for an overlapping copy (-Wrestrict).
std::string Numbered(const char* prefix, int n, const char* suffix = "") {
    std::string text(prefix);
    text.append(std::to_string(n)).append(suffix);
    return text;
}

class MemoFileTest : public TableTest {
protected:
    MemoFile Fresh(const std::string& name = "t.dbt") {
        MemoFile::CreateMemofile(PathOf(name), "t");
        MemoFile memo;
        memo.Open(PathOf(name), MemoKind::Dbase4, true, false);
        return memo;
    }
};

TEST_F(MemoFileTest, FirstMemoGoesToBlockOneWithItsHeader) {
    MemoFile memo = Fresh();
    EXPECT_EQ(memo.AddMemo("A\r\nB\r\nC\r\n", true), 1u);
    memo.Close();
    const std::string bytes = ReadFileBytes(PathOf("t.dbt"));
    ASSERT_EQ(bytes.size(), 529u);
    EXPECT_EQ(Le32At(bytes, 0), 2u);
    EXPECT_EQ(bytes.substr(512, 8), std::string("\xFF\xFF\x08\x00\x11\x00\x00\x00", 8));
    EXPECT_EQ(bytes.substr(520), "A\r\nB\r\nC\r\n");
    for (size_t i = 24; i < 512; ++i) {
        ASSERT_EQ(bytes[i], 0) << i;
    }
}

TEST_F(MemoFileTest, RunsTakeWholeBlocksCountingTheHeader) {
    MemoFile memo = Fresh();
    // 504 text bytes and the header fill block 1 exactly; new memos go at
    // the end of the file, whatever the chain head says.
    EXPECT_EQ(memo.AddMemo(std::string(504, 'x'), false), 1u);
    EXPECT_EQ(memo.AddMemo("y", false), 2u);
    EXPECT_EQ(memo.AddMemo(std::string(505, 'w'), true), 3u); // two blocks
    EXPECT_EQ(memo.AddMemo("z", true), 5u);
    EXPECT_EQ(memo.ReadText(1, 1), std::string(504, 'x'));
    EXPECT_EQ(memo.ReadText(2, 2), "y");
    EXPECT_EQ(memo.ReadText(3, 3), std::string(505, 'w'));
    EXPECT_EQ(memo.AddMemo("", true), 0u);
}

TEST_F(MemoFileTest, EditInPlaceNeverReachesTheNextMemo) {
    MemoFile memo = Fresh();
    EXPECT_EQ(memo.AddMemo(std::string(504, 'x'), true), 1u);
    EXPECT_EQ(memo.AddMemo("next", true), 2u);
    // Needs two blocks; block 1 alone is what the old memo covers.
    const uint32_t block = memo.EditMemo(std::string(510, 'q'), 1);
    EXPECT_NE(block, 1u);
    EXPECT_EQ(memo.ReadText(2, 2), "next");
    EXPECT_EQ(memo.ReadText(block, 1), std::string(510, 'q'));
}

TEST_F(MemoFileTest, EditInPlaceWhenItFitsElsewhereWhenNot) {
    MemoFile memo = Fresh();
    const uint32_t first = memo.AddMemo(std::string(600, 'a'), false); // blocks 1-2
    const uint32_t second = memo.AddMemo("b", false);                  // block 3
    EXPECT_EQ(memo.EditMemo("short", first), first);
    EXPECT_EQ(memo.ReadText(first, 1), "short");
    // The freed second block of the first run is taken by the next small memo.
    EXPECT_EQ(memo.EditMemo("c", 0), first + 1);
    // Too big for block 3: goes to the end, block 3 joins the free chain.
    const uint32_t moved = memo.EditMemo(std::string(700, 'd'), second);
    EXPECT_EQ(moved, 4u);
    EXPECT_EQ(memo.EditMemo("e", 0), second);
    EXPECT_EQ(memo.ReadText(moved, 1), std::string(700, 'd'));
}

TEST_F(MemoFileTest, LoopingFreeChainEndsTheWalk) {
    MemoFile memo = Fresh();
    memo.AddMemo("one", true);
    memo.AddMemo("two", true);
    memo.Close();
    // Block 1 claims to be a free run of 1 block whose next link is itself.
    std::string bytes = ReadFileBytes(PathOf("t.dbt"));
    bytes[0] = 1;
    bytes.replace(512, 8, std::string("\x01\0\0\0\x01\0\0\0", 8));
    WriteFileBytes(PathOf("t.dbt"), bytes);
    memo.Open(PathOf("t.dbt"), MemoKind::Dbase4, true, false);
    // One block is too small for this text, so the walk goes round the loop
    // until its limit and the memo lands at the end.
    const uint32_t block = memo.AddMemo(std::string(600, 'z'), false);
    EXPECT_EQ(block, 3u);
    EXPECT_EQ(memo.ReadText(block, 1), std::string(600, 'z'));
}

// A damaged length word must not make an edit in place free (and so hand
// out) the blocks of the memos stored after it.
TEST_F(MemoFileTest, DamagedLengthCannotFreeTheNextMemos) {
    const std::string lengths[] = {
        std::string("\xFF\xFF\x0F\x00", 4), // far beyond the end of the file
        std::string("\x00\x06\x00\x00", 4), // within the file, over the next memos
    };
    for (const auto& length : lengths) {
        MemoFile memo = Fresh();
        ASSERT_EQ(memo.AddMemo("one\r\n", true), 1u);
        ASSERT_EQ(memo.AddMemo("two\r\n", true), 2u);
        ASSERT_EQ(memo.AddMemo("three\r\n", true), 3u);
        memo.Close();
        std::string bytes = ReadFileBytes(PathOf("t.dbt"));
        bytes.replace(516, 4, length);
        WriteFileBytes(PathOf("t.dbt"), bytes);
        memo.Open(PathOf("t.dbt"), MemoKind::Dbase4, true, false);
        memo.EditMemo("x\r\n", 1);
        // Later stores take freed runs first.
        const uint32_t a = memo.EditMemo("new a\r\n", 0);
        const uint32_t b = memo.EditMemo("new b\r\n", 0);
        EXPECT_EQ(memo.ReadText(2, 2), "two\r\n");
        EXPECT_EQ(memo.ReadText(3, 3), "three\r\n");
        EXPECT_EQ(memo.ReadText(a, 4), "new a\r\n");
        EXPECT_EQ(memo.ReadText(b, 5), "new b\r\n");
        memo.Close();
    }
}

// A free chain that leads to a stored memo (a damaged head word) must not
// hand that memo's blocks out.
TEST_F(MemoFileTest, ChainIntoAStoredMemoDoesNotReuseIt) {
    MemoFile memo = Fresh();
    for (int i = 1; i <= 20; ++i) {
        ASSERT_EQ(memo.AddMemo(Numbered("m", i, "\r\n"), true), static_cast<uint32_t>(i));
    }
    memo.Close();
    std::string bytes = ReadFileBytes(PathOf("t.dbt"));
    bytes.replace(0, 4, std::string("\x03\0\0\0", 4)); // head: the live memo at block 3
    WriteFileBytes(PathOf("t.dbt"), bytes);
    memo.Open(PathOf("t.dbt"), MemoKind::Dbase4, true, false);
    std::vector<uint32_t> stored;
    for (int i = 0; i < 4; ++i) {
        stored.push_back(memo.EditMemo(Numbered("s", i, "\r\n"), 0));
    }
    for (int i = 1; i <= 20; ++i) {
        EXPECT_EQ(memo.ReadText(static_cast<uint32_t>(i), 1), Numbered("m", i, "\r\n"));
    }
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(memo.ReadText(stored[static_cast<size_t>(i)], 1), Numbered("s", i, "\r\n"));
    }
}

// A free run whose length word reaches over stored memos (a damaged file)
// must not be used over them, nor split with its tail written on one.
TEST_F(MemoFileTest, FreeRunLongerThanItsGapSparesTheNextMemos) {
    MemoFile memo = Fresh();
    for (int i = 1; i <= 4; ++i) {
        ASSERT_EQ(memo.AddMemo(Numbered("m", i, "\r\n"), true), static_cast<uint32_t>(i));
    }
    memo.Close();
    std::string bytes = ReadFileBytes(PathOf("t.dbt"));
    bytes.replace(0, 4, std::string("\x02\0\0\0", 4));              // head: block 2
    bytes.replace(1024, 8, std::string("\x05\0\0\0\x03\0\0\0", 8)); // "free", 3 blocks
    WriteFileBytes(PathOf("t.dbt"), bytes);
    memo.Open(PathOf("t.dbt"), MemoKind::Dbase4, true, false);
    const uint32_t block = memo.EditMemo(std::string(600, 'w'), 0);
    EXPECT_EQ(memo.ReadText(1, 1), "m1\r\n");
    EXPECT_EQ(memo.ReadText(3, 3), "m3\r\n");
    EXPECT_EQ(memo.ReadText(4, 4), "m4\r\n");
    EXPECT_EQ(memo.ReadText(block, 5), std::string(600, 'w'));
}

TEST_F(MemoFileTest, LinesSplitAtCrLfAndSoftReturn) {
    struct Case {
        std::string text;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"A\r\nB\r\nC\r\n", {"A", "B", "C"}},
        {"A\r\nB", {"A", "B"}},
        {"A\x8D\nB\r\n", {"A", "B"}},
        {"A\r\n\r\nB\r\n", {"A", "", "B"}},
        {"lone\rcr\n", {"lone\rcr\n"}},
        {"", {}},
        {std::string(300, 'w') + "\r\n", {std::string(253, 'w')}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SplitMemoLines(c.text), c.lines) << c.text;
    }
    std::string many;
    for (int i = 0; i < 1100; ++i) {
        many += "x\r\n";
    }
    EXPECT_EQ(SplitMemoLines(many).size(), 1024u);
}

TEST_F(MemoFileTest, DbaseThreeMemoRunsToEndMark) {
    std::string bytes(512, '\0');
    bytes[0] = 2;
    bytes += "old text\r\nline two\x1A\x1A";
    WriteFileBytes(PathOf("iii.dbt"), bytes);
    MemoFile memo;
    memo.Open(PathOf("iii.dbt"), MemoKind::Dbase3, false, false);
    EXPECT_EQ(memo.GetMemo(1, 1), (std::vector<std::string>{"old text", "line two"}));
}

TEST_F(MemoFileTest, DamagedNextFreeWordCannotMoveTheWrite) {
    for (const MemoKind kind : {MemoKind::Dbase3, MemoKind::FoxPro}) {
        MemoFile::CreateEmpty(PathOf("g.dbt"), kind, 64, "g");
        std::string bytes = ReadFileBytes(PathOf("g.dbt"));
        bytes.replace(0, 4, "\x20\x1A\x05\x7F"); // far beyond the end
        WriteFileBytes(PathOf("g.dbt"), bytes);
        MemoFile memo;
        memo.Open(PathOf("g.dbt"), kind, true, false);
        const uint32_t block = memo.AddMemo("text\r\n", true);
        EXPECT_EQ(block, 512u / memo.BlockSize());
        EXPECT_LE(memo.FileSize(), 1024u);
        EXPECT_EQ(memo.ReadText(block, 1), "text\r\n");
    }
}

TEST_F(MemoFileTest, BadAddressesAndLengthsAreErrors) {
    MemoFile memo = Fresh();
    memo.AddMemo("abc", true);
    EXPECT_EQ(ErrorOf([&] { memo.ReadText(9, 4); }).number, 1003);
    EXPECT_EQ(ErrorOf([&] { memo.ReadText(9, 4); }).detail,
              PathOf("t.dbt") + " Record # 4 [GetMemo]");
    memo.Close();
    std::string bytes = ReadFileBytes(PathOf("t.dbt"));
    bytes.replace(516, 4, std::string("\xFF\xFF\xFF\x7F", 4)); // length far beyond the file
    WriteFileBytes(PathOf("t.dbt"), bytes);
    memo.Open(PathOf("t.dbt"), MemoKind::Dbase4, false, false);
    EXPECT_EQ(ErrorOf([&] { memo.ReadText(1, 1); }).number, 213);
}

TEST(MemoBlockField, BlanksAndZeroReadAsNoMemo) {
    EXPECT_EQ(ParseMemoBlock("         0"), 0u);
    EXPECT_EQ(ParseMemoBlock("          "), 0u);
    EXPECT_EQ(ParseMemoBlock("        12"), 12u);
    EXPECT_EQ(ParseMemoBlock("      x 12"), 0u);
    EXPECT_EQ(FormatMemoBlock(0), "         0");
    EXPECT_EQ(FormatMemoBlock(345), "       345");
}

} // namespace
} // namespace vell3::tables::test
