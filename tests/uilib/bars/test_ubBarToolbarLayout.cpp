// A toolbar's links in lines, its docked and wrapped sizes, against layouts worked out by hand.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "uilib/bars/ubBarToolbarLayout.h"

namespace zel::test {
namespace {

// Links of 30 x 22; "|" before a letter begins a group, "R", "C" and "S" are iaRight, iaCenter and iaClient
// items, "W" a link of 100.
std::vector<TubToolbarLink> Links(const std::string& Pattern) {
    std::vector<TubToolbarLink> links;
    bool group = false;
    for (char c : Pattern) {
        if (c == '|') {
            group = true;
            continue;
        }
        TubToolbarLink l;
        l.Along = c == 'W' ? 100 : 30;
        l.Across = 22;
        l.MinAlong = 40;
        l.BeginGroup = group;
        l.Align = c == 'R' ? iaRight : c == 'C' ? iaCenter : c == 'S' ? iaClient : iaLeft;
        links.push_back(l);
        group = false;
    }
    return links;
}

// "x,y,w" of each placed link, "-" for a hidden one; "/" ends a line.
std::string Placement(const std::vector<TubToolbarLink>& Links) {
    std::string s;
    for (const TubToolbarLink& l : Links) {
        if (!s.empty()) s += ' ';
        if (!l.Placed) {
            s += '-';
            continue;
        }
        s += std::to_string(l.Rect.left) + ',' + std::to_string(l.Rect.top) + ',' +
             std::to_string(l.Rect.right - l.Rect.left);
        if (l.SeparatorBefore) s += 's';
        if (l.SeparatorAcross) s += 'S';
        if (l.LineEnd && !l.Last) s += '/';
    }
    return s;
}

struct LayoutCase {
    const char* name;
    const char* links;
    int mainLength;
    bool multiLine;
    const char* placement;
    bool hidden;
    bool afterAligned;
};

TEST(ubBarToolbarLayout, LinksAreLaidOutInLinesWithTheirSeparatorsAlignedItemsAndTheMark) {
    const LayoutCase cases[] = {
        {"a single line narrower than its links hides the rest", "abcde", 80, false, "0,0,30 30,0,30 - - -", true,
         false},
        {"the first link is always placed", "Wab", 50, false, "0,0,100 - -", true, false},
        {"a group separator stands in the line", "ab|c", 200, false, "0,0,30 30,0,30 66,0,30s", false, false},
        {"a group start that does not fit is hidden with its separator", "ab|c", 80, false, "0,0,30 30,0,30 -", true,
         false},
        {"an iaRight item ends the line at the right edge", "aRb", 200, false, "0,0,30 170,0,30 -", true, true},
        {"an iaCenter item sits in the middle of the rest", "aC", 200, false, "0,0,30 100,0,30", false, false},
        {"an iaClient item stretches to the end", "aS", 200, false, "0,0,30 30,0,170", false, false},
        {"an iaClient item keeps its minimum", "aS", 65, false, "0,0,30 30,0,40", false, false},
        {"multi-line: the next line starts where a link does not fit", "abcd", 70, true,
         "0,0,30 30,0,30/ 0,22,30 30,22,30", false, false},
        {"multi-line: an aligned item ends its line", "aRb", 200, true, "0,0,30 170,0,30/ 0,22,30", false, true},
    };
    for (const LayoutCase& c : cases) {
        std::vector<TubToolbarLink> links = Links(c.links);
        TubToolbarLayoutParams p;
        p.MainLength = c.mainLength;
        p.MultiLine = c.multiLine;
        p.CrossSize = c.multiLine ? 0 : 22;
        TubToolbarLayoutResult r = LayoutToolbarLinks(links, p);
        EXPECT_EQ(Placement(links), c.placement) << c.name;
        EXPECT_EQ(r.LinksHidden, c.hidden) << c.name;
        EXPECT_EQ(r.LinksAfterAligned, c.afterAligned) << c.name;
    }
}

TEST(ubBarToolbarLayout, AMultiLineBarBreaksBeforeTheLastGroupStartOfALineAndNeverStartsALineWithASeparator) {
    struct Case {
        const char* name;
        const char* links;
        int lineLength;
        const char* placement;
        long width, height;
    };
    const Case cases[] = {
        {"the line breaks before its group start", "ab|cde", 100, "0,0,30 30,0,30/ 0,28,30S 30,28,30 60,28,30", 90, 50},
        {"without a group start it breaks before the link", "abcde", 100, "0,0,30 30,0,30 60,0,30/ 0,22,30 30,22,30",
         90, 44},
        {"a group start at the start of a line does not count", "|abcd", 70, "0,0,30 30,0,30/ 0,22,30 30,22,30", 60,
         44},
        {"one link per line when the length is short", "a|b", 10, "0,0,30/ 0,28,30S", 30, 50},
    };
    for (const Case& c : cases) {
        std::vector<TubToolbarLink> links = Links(c.links);
        TSize size = SizeMultiLine(links, c.lineLength, 6, 0, 0);
        EXPECT_EQ(size.cx, c.width) << c.name;
        EXPECT_EQ(size.cy, c.height) << c.name;
        TubToolbarLayoutParams p;
        p.MainLength = c.lineLength;
        p.MultiLine = true;
        LayoutToolbarLinks(links, p);
        EXPECT_EQ(Placement(links), c.placement) << c.name;
        for (const TubToolbarLink& l : links) {
            if (l.SeparatorAcross) {
                EXPECT_FALSE(l.SeparatorBefore) << c.name;
            }
        }
    }
    // The caption-button band and the mark's room widen the result.
    std::vector<TubToolbarLink> links = Links("ab");
    EXPECT_EQ(SizeMultiLine(links, 200, 6, 80, 11).cx, 91);
}

TEST(ubBarToolbarLayout, DockedAndFloatingSizes) {
    std::vector<TubToolbarLink> links = Links("abcde");
    // As many links as fit beside the mark, at least one.
    EXPECT_EQ(DockedSingleLineSize(links, 80, true, 6, 0), (TSize{71, 22}));
    EXPECT_EQ(DockedSingleLineSize(links, 500, false, 6, 0), (TSize{150, 22}));
    EXPECT_EQ(DockedSingleLineSize(links, 5, true, 6, 0), (TSize{41, 22}));
    EXPECT_EQ(DockedSingleLineSize(links, 500, false, 6, 20), (TSize{170, 22}));
    EXPECT_EQ(ToolbarFullLength(Links("ab|c"), 6), 96);
    EXPECT_EQ(ToolbarMinLength(Links("aWb"), true, 0), 111);
    EXPECT_EQ(ToolbarMinLength(Links("aWb"), false, 20), 61);

    // Six links wrapped into at most two lines: three to a line.
    std::vector<TubToolbarLink> six = Links("abcdef");
    EXPECT_EQ(SizeFloatingForCross(six, 44, 6, 0), (TSize{90, 44}));
    EXPECT_TRUE(six[3].NewLine);
    EXPECT_EQ(SizeFloatingForCross(six, 22, 6, 0), (TSize{180, 22}));
    // A height below one line keeps one line; a tall one narrows to the widest link.
    EXPECT_EQ(SizeFloatingForCross(six, 5, 6, 0), (TSize{180, 22}));
    EXPECT_EQ(SizeFloatingForCross(six, 1000, 6, 0), (TSize{30, 132}));
}

}  // namespace
}  // namespace zel::test
