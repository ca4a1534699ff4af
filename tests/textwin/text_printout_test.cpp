#include "framework/automation.h"
#include "framework/printout.h"
#include "textwin/text_printout.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

using namespace curvelo;

namespace {
int PrintedPages(const std::string& text) {
    fw::automation::EnsureApplication();
    fw::LogFont font;
    font.faceName = "Courier New";
    font.height = -13;
    TTextPrintout printout("proba.txt", text, font, {0, 0, 0});
    const auto path = std::filesystem::temp_directory_path() / ("textprint_" + std::to_string(::getpid()) + ".pdf");
    fw::TPrinter printer;
    EXPECT_TRUE(printer.PrintToPdf(printout, path.string(), 150));
    EXPECT_GT(std::filesystem::file_size(path), 0u);
    std::filesystem::remove(path);
    return printout.PageCount();
}
}  // namespace

TEST(TextPrintout, ShortTextsFitOnePageAndEvenAnEmptyTextPrintsAPage) {
    EXPECT_EQ(PrintedPages("egy\r\nkettő\n"), 1);
    EXPECT_EQ(PrintedPages(""), 1);
}

TEST(TextPrintout, LongTextsBreakIntoPagesAndLongLinesWrap) {
    std::string many;
    for (int i = 0; i < 400; ++i) many += "sor " + std::to_string(i) + "\n";
    const int pages = PrintedPages(many);
    EXPECT_GT(pages, 2);
    // One very long line takes more than one page once wrapped.
    EXPECT_GT(PrintedPages(std::string(60000, 'w')), 1);
}
