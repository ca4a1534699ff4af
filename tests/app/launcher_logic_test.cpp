#include "app/about_text.h"
#include "app/build_info.h"
#include "app/document_kind.h"
#include "app/launcher_flags.h"
#include "app/window_captions.h"
#include "framework/menu_resource.h"
#include "resources/resources.h"

#include <gtest/gtest.h>

using namespace curvelo;

TEST(DocumentKind, ExtensionDecidesTheWindowInAnyLetterCase) {
    EXPECT_EQ(DocumentKindOf("a.cv2"), DocumentKind::Plot2);
    EXPECT_EQ(DocumentKindOf("/home/x/b.Cv3"), DocumentKind::Plot3);
    EXPECT_EQ(DocumentKindOf("MAP.MA2"), DocumentKind::MapReal);
    EXPECT_EQ(DocumentKindOf("z.maZ"), DocumentKind::MapComplex);
    EXPECT_EQ(DocumentKindOf("a.cv"), DocumentKind::None);
    EXPECT_EQ(DocumentKindOf("cv2"), DocumentKind::None);
    EXPECT_EQ(DocumentKindOf("a.cv22"), DocumentKind::None);
    EXPECT_EQ(DocumentKindOf("a.txt"), DocumentKind::None);
    EXPECT_EQ(DocumentKindOf("dir.cv2/file"), DocumentKind::None);  // the last dot counts
    EXPECT_EQ(DocumentKindOf("a.cv3."), DocumentKind::None);
    EXPECT_EQ(DocumentKindOf(""), DocumentKind::None);
}

TEST(WindowCaptions, NumbersCountEveryWindowOfAKindSinceStart) {
    WindowCaptions c;
    EXPECT_EQ(c.NextPlot2(), "névtelen1.cv2");
    EXPECT_EQ(c.NextPlot3(), "névtelen1.cv3");
    EXPECT_EQ(c.NextPlot2(), "névtelen2.cv2");
    EXPECT_EQ(c.NextManyBody(), "névtelen1.cv2");
    EXPECT_EQ(c.NextPlot2(), "névtelen3.cv2");
    EXPECT_EQ(c.NextMapDomain(false), "Értelmezési tartomány1.ma2");
    EXPECT_EQ(c.NextMapDomain(true), "Értelmezési tartomány2.maz");
    EXPECT_EQ(WindowCaptions::MapRange(), "Transzformált:");
    EXPECT_EQ(WindowCaptions::Guessing(), "az egyenlet találgatása");
    EXPECT_EQ(c.Plot2Count(), 3);
}

TEST(LauncherFlags, TheTwoItemsExcludeEachOther) {
    LauncherFlags f;
    f.ToggleUseDefaults();
    EXPECT_TRUE(f.UseDefaults());
    EXPECT_FALSE(f.ReadWindowSettings());
    f.ToggleOpenLastEdit();  // 48 while 49 is checked
    EXPECT_TRUE(f.OpenLastEdit());
    EXPECT_FALSE(f.UseDefaults());
    f.ToggleOpenLastEdit();  // a checked item unchecks
    EXPECT_FALSE(f.OpenLastEdit());
    EXPECT_FALSE(f.UseDefaults());
    f.ToggleOpenLastEdit();
    f.ToggleUseDefaults();
    EXPECT_FALSE(f.OpenLastEdit());
    EXPECT_TRUE(f.UseDefaults());
    EXPECT_FALSE(LauncherFlags(true, true).OpenLastEdit());
}

TEST(AboutText, BlocksSeparatedByEmptyLinesEndingWithTheInvitation) {
    std::string t = AboutText(BuildInfo{"7.3", "2026. december 8"});
    EXPECT_TRUE(t.starts_with("Curvelo 7.3, Linux változat\r\na kompilálás dátuma: 2026. december 8\r\n\r\n"));
    EXPECT_TRUE(t.ends_with("\r\n\r\n" + std::string(res::String(309))));
    std::string first = std::string(res::String(301)) + "\r\n" + std::string(res::String(302)) + "\r\n" +
                        std::string(res::String(303)) + "\r\n\r\n" + std::string(res::String(304));
    EXPECT_NE(t.find(first), std::string::npos);
    std::string seventh = std::string(res::String(307)) + "\r\n\r\n" + std::string(res::String(308)) +
                          "\r\n\r\n" + std::string(res::String(310));
    EXPECT_NE(t.find(seventh), std::string::npos);
    EXPECT_EQ(t.find("\n\n"), std::string::npos);  // every break is CR LF
    // Without a known date the line is left out rather than made up.
    EXPECT_EQ(AboutText(BuildInfo{"7.3", ""}).find("dátuma"), std::string::npos);
}

// Every help command the box names exists, and nothing in it describes another system.
TEST(AboutText, StatesOnlyWhatIsTrueOfThisBuild) {
    const BuildInfo build = ThisBuild();
    EXPECT_FALSE(build.version.empty());
    EXPECT_FALSE(build.date.empty());
    const std::string t = AboutText();
    EXPECT_NE(t.find("Linux"), std::string::npos);
    EXPECT_NE(t.find(build.version), std::string::npos);
    EXPECT_NE(t.find("a kompilálás dátuma: " + build.date + "\r\n"), std::string::npos);
    for (const char* stale : {"Windows", "95/98", "2005", "súgója"}) {
        EXPECT_EQ(t.find(stale), std::string::npos) << stale;
    }

    auto hasHelpItem = [](const std::vector<fw::MenuItem>& items, auto& self) -> bool {
        for (const fw::MenuItem& m : items)
            if (m.caption.find("Súgó") != std::string::npos || self(m.items, self)) return true;
        return false;
    };
    std::vector<fw::MenuItem> menu;
    std::string error;
    ASSERT_TRUE(fw::LoadMenuResource("PLOTMENU", menu, error)) << error;
    EXPECT_NE(t.find("Súgó"), std::string::npos);
    EXPECT_TRUE(hasHelpItem(menu, hasHelpItem));  // the launcher's help that the text names
    ASSERT_TRUE(fw::LoadMenuResource("PLOT2MENU", menu, error)) << error;
    if (!hasHelpItem(menu, hasHelpItem)) {
        EXPECT_EQ(t.find("rajzablakok saját"), std::string::npos);
    }
}

TEST(BuildDate, CompilerDatesInHungarian) {
    EXPECT_EQ(HungarianBuildDate("Dec  8 2026"), "2026. december 8");
    EXPECT_EQ(HungarianBuildDate("Jan 31 2005"), "2005. január 31");
    EXPECT_EQ(HungarianBuildDate("Aug 15 2030"), "2030. augusztus 15");
    for (const char* bad : {"", "Foo  1 2026", "Dec 32 2026", "Dec  0 2026", "Dec  8 20x6", "Dec-8-2026", "Dec  8 2026 "})
        EXPECT_EQ(HungarianBuildDate(bad), "") << bad;
}

TEST(HelpText, CutBeforeTheFirstMarkAndShippedWithOne) {
    EXPECT_EQ(HelpTextShown("abc???def???"), "abc");
    EXPECT_EQ(HelpTextShown("no mark"), "no mark");
    std::string_view help = res::File("help/PROGHELP.txt");
    ASSERT_FALSE(help.empty());
    EXPECT_NE(HelpTextShown(help).find("Curvelo"), std::string_view::npos);
    EXPECT_EQ(HelpTextShown(help).find("???"), std::string_view::npos);
}
