#include <gtest/gtest.h>

#include "framework/common_dialogs.h"
#include "framework/dialog_template.h"
#include "framework/fw_types.h"
#include "framework/keys.h"
#include "framework/log_font.h"
#include "framework/menu_resource.h"
#include "resources/resources.h"

#include <map>

namespace curvelo::fw {
namespace {

TEST(MenuFormat, PopupsSeparatorsCaptionsAndFlags) {
    std::vector<MenuItem> menu;
    std::string error;
    ASSERT_TRUE(LoadMenuResource("TEST_DEMO", menu, error)) << error;
    ASSERT_EQ(menu.size(), 2u);
    const MenuItem& file = menu[0];
    EXPECT_EQ(file.kind, MenuItem::Kind::Popup);
    EXPECT_EQ(file.caption, "&Fájl");
    ASSERT_EQ(file.items.size(), 5u);
    EXPECT_EQ(file.items[0].id, 57);
    EXPECT_EQ(file.items[0].caption, "&Mentés\tCtrl+S");
    EXPECT_EQ(file.items[2].kind, MenuItem::Kind::Separator);
    const MenuItem& sub = file.items[3];
    ASSERT_EQ(sub.kind, MenuItem::Kind::Popup);
    ASSERT_EQ(sub.items.size(), 2u);
    EXPECT_TRUE(sub.items[0].checked);
    EXPECT_FALSE(sub.items[0].disabled);
    EXPECT_TRUE(sub.items[1].disabled);
    EXPECT_EQ(file.items[4].id, kCmExit);
    EXPECT_EQ(menu[1].kind, MenuItem::Kind::Command);
    EXPECT_EQ(menu[1].id, 354);
}

TEST(MenuFormat, MalformedMenusAreRefusedWithTheLine) {
    std::vector<MenuItem> menu;
    std::string error;
    EXPECT_FALSE(ParseMenu("popup \"a\"\n  item 1 \"x\"\n", menu, error));
    EXPECT_NE(error.find("end"), std::string::npos);
    EXPECT_TRUE(menu.empty());
    EXPECT_FALSE(ParseMenu("popup \"a\"\nitem x \"b\"\nend\n", menu, error));
    EXPECT_EQ(error.rfind("2. sor", 0), 0u) << error;
    EXPECT_FALSE(ParseMenu("item 1 \"unclosed\n", menu, error));
    EXPECT_FALSE(ParseMenu("end\n", menu, error));
    EXPECT_FALSE(ParseMenu("separator\n", menu, error));  // only inside a popup
    EXPECT_FALSE(ParseMenu("item 1 \"a\" bold\n", menu, error));
    EXPECT_FALSE(ParseMenu("item 1 \"bad \\q escape\"\n", menu, error));
    std::string deep;
    for (int i = 0; i < 20; ++i) deep += "popup \"p\"\n";
    EXPECT_FALSE(ParseMenu(deep, menu, error));
    EXPECT_FALSE(LoadMenuResource("NO_SUCH_MENU", menu, error));
}

TEST(MenuFormat, CommentsEscapesAndWindowsLineEnds) {
    std::vector<MenuItem> menu;
    std::string error;
    ASSERT_TRUE(ParseMenu("# c\r\n\r\npopup \"a \\\"b\\\" && c\"\r\n item 5 \"x\\ty\"\r\nend\r\n", menu, error)) << error;
    ASSERT_EQ(menu.size(), 1u);
    EXPECT_EQ(menu[0].caption, "a \"b\" && c");
    EXPECT_EQ(menu[0].items[0].caption, "x\ty");
}

TEST(AcceleratorFormat, KeyNamesAndLookup) {
    std::vector<Accelerator> table;
    std::string error;
    ASSERT_TRUE(LoadAcceleratorResource("TEST_DEMO", table, error)) << error;
    ASSERT_EQ(table.size(), 5u);
    EXPECT_EQ(FindAccelerator(table, vk::F(2), 0), 402);
    EXPECT_EQ(FindAccelerator(table, vk::F(2), kShift), 0);  // modifiers must match exactly
    EXPECT_EQ(FindAccelerator(table, 'P', kCtrl), 303);
    EXPECT_EQ(FindAccelerator(table, 'S', kCtrl | kShift), 58);
    EXPECT_EQ(FindAccelerator(table, 'S', kCtrl), 0);
    EXPECT_EQ(FindAccelerator(table, vk::kDelete, kShift), 96);
    // Mouse-button bits in the modifiers do not matter.
    EXPECT_EQ(FindAccelerator(table, vk::F(3), kLeftButton), 403);

    int code = 0;
    unsigned mods = 0;
    ASSERT_TRUE(ParseKeyName("alt+shift+f12", code, mods));
    EXPECT_EQ(code, vk::F(12));
    EXPECT_EQ(mods, kAlt | kShift);
    ASSERT_TRUE(ParseKeyName("Ctrl+Num+", code, mods));
    EXPECT_EQ(code, vk::kAdd);
    EXPECT_EQ(mods, kCtrl);
    ASSERT_TRUE(ParseKeyName("Space", code, mods));
    EXPECT_EQ(code, 32);
    for (const char* bad : {"F0", "F25", "Ctrl+", "Hyper+A", "AB", "", "F01"})
        EXPECT_FALSE(ParseKeyName(bad, code, mods)) << bad;
    EXPECT_FALSE(ParseAccelerators("F2\n", table, error));
    EXPECT_FALSE(ParseAccelerators("F2 x\n", table, error));
    EXPECT_FALSE(ParseAccelerators("Foo 3\n", table, error));
    EXPECT_TRUE(table.empty());
}

TEST(DialogFormat, NestedContainersAndOptions) {
    DialogTemplate t;
    std::string error;
    ASSERT_TRUE(LoadDialogTemplate("TEST_DEMO", t, error)) << error;
    EXPECT_EQ(t.caption, "Nyomtatási beállítások");
    std::vector<const DialogItem*> controls = TemplateControls(t);
    std::map<int, const DialogItem*> byId;
    for (const DialogItem* c : controls)
        if (c->id != -1) byId[c->id] = c;
    ASSERT_TRUE(byId.count(301) && byId.count(311) && byId.count(331) && byId.count(1));
    EXPECT_EQ(byId[301]->kind, DialogItem::Kind::Radio);
    EXPECT_TRUE(byId[301]->groupStart);
    EXPECT_FALSE(byId[302]->groupStart);
    EXPECT_EQ(byId[311]->width, 10);
    EXPECT_TRUE(byId[331]->multiline);  // lines=3 makes it multi-line
    EXPECT_TRUE(byId[331]->readOnly);
    EXPECT_TRUE(byId[332]->password);
    EXPECT_EQ(byId[332]->caption, "titok");
    EXPECT_TRUE(byId[1]->isDefault);
    EXPECT_EQ(byId[351]->kind, DialogItem::Kind::HScroll);
    ASSERT_EQ(t.root.items[0].kind, DialogItem::Kind::Group);
    EXPECT_EQ(t.root.items[0].items[0].kind, DialogItem::Kind::Row);
}

TEST(DialogFormat, MalformedTemplatesAreRefused) {
    DialogTemplate t;
    std::string error;
    EXPECT_FALSE(ParseDialogTemplate("edit 1\n", t, error));  // caption first
    EXPECT_FALSE(ParseDialogTemplate("", t, error));
    EXPECT_FALSE(ParseDialogTemplate("caption \"a\"\nrow\nedit 1\n", t, error));
    EXPECT_FALSE(ParseDialogTemplate("caption \"a\"\nbutton 1 \"x\" password\n", t, error));
    EXPECT_FALSE(ParseDialogTemplate("caption \"a\"\nedit 1 width=0\n", t, error));
    EXPECT_FALSE(ParseDialogTemplate("caption \"a\"\nedit 1 width=9999\n", t, error));
    EXPECT_FALSE(ParseDialogTemplate("caption \"a\"\nslider 1\n", t, error));
    EXPECT_FALSE(ParseDialogTemplate("caption \"a\"\nedit \"x\"\n", t, error));
    EXPECT_EQ(error.rfind("2. sor", 0), 0u) << error;
    EXPECT_TRUE(t.caption.empty());
    EXPECT_FALSE(LoadDialogTemplate("NO_SUCH_DIALOG", t, error));
}

TEST(FileFilters, PairsOfDescriptionAndPatterns) {
    auto f = ParseFilterString("Szövegállományok (*.TXT)|*.txt|Rajzok|*.cv2;*.cv3|félbe");
    ASSERT_EQ(f.size(), 2u);
    EXPECT_EQ(f[0].description, "Szövegállományok (*.TXT)");
    EXPECT_EQ(f[0].patterns, std::vector<std::string>{"*.txt"});
    EXPECT_EQ(f[1].patterns, (std::vector<std::string>{"*.cv2", "*.cv3"}));
    EXPECT_TRUE(ParseFilterString("").empty());
    EXPECT_TRUE(ParseFilterString("csak leírás|").empty());
}

TEST(LogFontRecord, SixtyBytesRoundTrip) {
    LogFont f;
    f.height = -17;
    f.escapement = 900;
    f.weight = 700;
    f.italic = 1;
    f.charSet = 238;
    f.faceName = "Times New Roman";
    auto bytes = f.Store();
    EXPECT_EQ(bytes[0], 0xEF);  // -17 little-endian
    EXPECT_EQ(bytes[3], 0xFF);
    EXPECT_EQ(bytes[28], 'T');
    LogFont g = LogFont::Load(bytes.data());
    EXPECT_EQ(g.height, -17);
    EXPECT_EQ(g.escapement, 900);
    EXPECT_EQ(g.weight, 700);
    EXPECT_EQ(g.italic, 1);
    EXPECT_EQ(g.charSet, 238);
    EXPECT_EQ(g.faceName, "Times New Roman");
    // An over-long name is cut so the terminator survives; an unterminated one is bounded.
    f.faceName = std::string(40, 'x');
    bytes = f.Store();
    EXPECT_EQ(bytes[59], 0);
    EXPECT_EQ(LogFont::Load(bytes.data()).faceName.size(), 31u);
    std::fill(bytes.begin() + 28, bytes.end(), 'y');
    EXPECT_EQ(LogFont::Load(bytes.data()).faceName.size(), 32u);
    g.faceName = "Symbol";
    EXPECT_TRUE(g.IsSymbolFont());
}

}  // namespace
}  // namespace curvelo::fw

namespace curvelo::fw {
namespace {

// Every menu, accelerator table and dialog template the program ships must load.
TEST(ShippedResources, EveryMenuAcceleratorAndDialogParses) {
    int files = 0;
    for (std::string_view path : res::FilesUnder("menus/")) {
        std::string p(path);
        std::string error;
        if (p.size() > 5 && p.compare(p.size() - 5, 5, ".menu") == 0) {
            std::vector<MenuItem> menu;
            EXPECT_TRUE(ParseMenu(res::File(p), menu, error)) << p << ": " << error;
            ++files;
        } else if (p.size() > 4 && p.compare(p.size() - 4, 4, ".acc") == 0) {
            std::vector<Accelerator> table;
            EXPECT_TRUE(ParseAccelerators(res::File(p), table, error)) << p << ": " << error;
            ++files;
        }
    }
    for (std::string_view path : res::FilesUnder("dialogs/")) {
        std::string p(path);
        if (p.size() <= 4 || p.compare(p.size() - 4, 4, ".dlg") != 0) continue;
        DialogTemplate t;
        std::string error;
        EXPECT_TRUE(ParseDialogTemplate(res::File(p), t, error)) << p << ": " << error;
        ++files;
    }
    EXPECT_GE(files, 3);
}

}  // namespace
}  // namespace curvelo::fw
