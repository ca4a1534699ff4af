#include "plotwin/dialog_binding.h"

#include "plotwin/dialog_ids.h"

namespace curvelo {
namespace {

constexpr int kGridFieldChars = 30;
constexpr int kSmallFieldChars = 10;
constexpr int kPrintFieldChars = 19;

}  // namespace

void WriteViewDialog(fw::TDialog& d, const ViewDialogFields& f) {
    d.CheckItem(dlg::kViewEdgesRadio, f.edges);
    d.CheckItem(dlg::kViewCentreRadio, !f.edges);
    for (int i = 0; i < 4; ++i) {
        d.SetItemLimit(dlg::kViewLeft + i, kViewFieldMaxChars);
        d.SetItemText(dlg::kViewLeft + i, f.edge[static_cast<std::size_t>(i)]);
    }
    for (int i = 0; i < 3; ++i) {
        d.SetItemLimit(dlg::kViewCentreX + i, kViewFieldMaxChars);
        d.SetItemText(dlg::kViewCentreX + i, f.centre[static_cast<std::size_t>(i)]);
    }
}

ViewDialogFields ReadViewDialog(const fw::TDialog& d) {
    ViewDialogFields f;
    f.edges = d.IsItemChecked(dlg::kViewEdgesRadio);
    for (int i = 0; i < 4; ++i) f.edge[static_cast<std::size_t>(i)] = d.GetItemText(dlg::kViewLeft + i);
    for (int i = 0; i < 3; ++i) f.centre[static_cast<std::size_t>(i)] = d.GetItemText(dlg::kViewCentreX + i);
    return f;
}

void WriteGridDialog(fw::TDialog& d, const GridDialogFields& f) {
    d.CheckItem(dlg::kGridAxes, f.axesShown);
    d.CheckItem(dlg::kGridModeBoth, f.axesMode == kAxesBoth);
    d.CheckItem(dlg::kGridModeX, f.axesMode == kAxesX);
    d.CheckItem(dlg::kGridModeY, f.axesMode == kAxesY);
    d.CheckItem(dlg::kGridModePolar, f.axesMode == kAxesPolar);
    d.CheckItem(dlg::kGridTicks, f.ticks);
    d.CheckItem(dlg::kGridArrows, f.arrows);
    d.CheckItem(dlg::kGridPoints, f.gridPoints);
    d.CheckItem(dlg::kGridTitles, f.axisTitles);
    d.SetItemLimit(dlg::kGridTickLength, kGridFieldChars);
    d.SetItemText(dlg::kGridTickLength, f.tickLengthPercent);
    for (int a = 0; a < 2; ++a) {
        const int off = a * dlg::kGridRowYOffset;
        const auto i = static_cast<std::size_t>(a);
        d.SetItemLimit(dlg::kGridSpacingX + off, kGridFieldChars);
        d.SetItemText(dlg::kGridSpacingX + off, f.spacing[i]);
        d.CheckItem(dlg::kGridNumbersX + off, f.numbers[i]);
        d.SetItemLimit(dlg::kGridDecimalsX + off, kSmallFieldChars);
        d.SetItemText(dlg::kGridDecimalsX + off, f.decimals[i]);
        d.SetItemLimit(dlg::kGridFrequencyX + off, kSmallFieldChars);
        d.SetItemText(dlg::kGridFrequencyX + off, f.frequency[i]);
        d.CheckItem(dlg::kGridPiX + off, f.piMode[i]);
    }
    d.CheckItem(dlg::kGridNumbersOnAxes, !f.numbersAtEdge);
    d.CheckItem(dlg::kGridNumbersAtEdge, f.numbersAtEdge);
    d.CheckItem(dlg::kGridDotted, f.dotted);
    d.CheckItem(dlg::kGridPolar, f.polar);
    d.SetItemLimit(dlg::kGridSectors, kSmallFieldChars);
    d.SetItemText(dlg::kGridSectors, f.sectors);
    d.CheckItem(dlg::kGridSquare, f.square);
    for (int q = 0; q < 4; ++q) d.CheckItem(dlg::kGridQuadrant1 + q, f.quadrants[static_cast<std::size_t>(q)]);
}

GridDialogFields ReadGridDialog(const fw::TDialog& d) {
    GridDialogFields f;
    f.axesShown = d.IsItemChecked(dlg::kGridAxes);
    f.axesMode = d.IsItemChecked(dlg::kGridModeX)       ? kAxesX
                 : d.IsItemChecked(dlg::kGridModeY)     ? kAxesY
                 : d.IsItemChecked(dlg::kGridModePolar) ? kAxesPolar
                                                        : kAxesBoth;
    f.ticks = d.IsItemChecked(dlg::kGridTicks);
    f.arrows = d.IsItemChecked(dlg::kGridArrows);
    f.gridPoints = d.IsItemChecked(dlg::kGridPoints);
    f.axisTitles = d.IsItemChecked(dlg::kGridTitles);
    f.tickLengthPercent = d.GetItemText(dlg::kGridTickLength);
    for (int a = 0; a < 2; ++a) {
        const int off = a * dlg::kGridRowYOffset;
        const auto i = static_cast<std::size_t>(a);
        f.spacing[i] = d.GetItemText(dlg::kGridSpacingX + off);
        f.numbers[i] = d.IsItemChecked(dlg::kGridNumbersX + off);
        f.decimals[i] = d.GetItemText(dlg::kGridDecimalsX + off);
        f.frequency[i] = d.GetItemText(dlg::kGridFrequencyX + off);
        f.piMode[i] = d.IsItemChecked(dlg::kGridPiX + off);
    }
    f.numbersAtEdge = d.IsItemChecked(dlg::kGridNumbersAtEdge);
    f.dotted = d.IsItemChecked(dlg::kGridDotted);
    f.polar = d.IsItemChecked(dlg::kGridPolar);
    f.sectors = d.GetItemText(dlg::kGridSectors);
    f.square = d.IsItemChecked(dlg::kGridSquare);
    for (int q = 0; q < 4; ++q) f.quadrants[static_cast<std::size_t>(q)] = d.IsItemChecked(dlg::kGridQuadrant1 + q);
    return f;
}

void WriteAxisTitlesDialog(fw::TDialog& d, const std::array<std::string, 3>& titles) {
    for (int i = 0; i < 3; ++i) {
        d.SetItemLimit(dlg::kTitleFirst + i, static_cast<int>(kAxisTitleMax));
        d.SetItemText(dlg::kTitleFirst + i, titles[static_cast<std::size_t>(i)]);
    }
}

std::array<std::string, 3> ReadAxisTitlesDialog(const fw::TDialog& d) {
    std::array<std::string, 3> t;
    for (int i = 0; i < 3; ++i) t[static_cast<std::size_t>(i)] = d.GetItemText(dlg::kTitleFirst + i);
    return t;
}

void WritePrintSetupDialog(fw::TDialog& d, const PrintSetupFields& f) {
    d.CheckItem(dlg::kPrintByWidth, f.byWidth);
    d.CheckItem(dlg::kPrintByInterval, !f.byWidth);
    const std::pair<int, const std::string*> edits[] = {
        {dlg::kPrintWidth, &f.width}, {dlg::kPrintInterval, &f.interval}, {dlg::kPrintLeft, &f.left},
        {dlg::kPrintTop, &f.top}};
    for (const auto& [id, text] : edits) {
        d.SetItemLimit(id, kPrintFieldChars);
        d.SetItemText(id, *text);
    }
    d.CheckItem(dlg::kPrintFrame, f.frame);
    d.CheckItem(dlg::kPrintColour, f.colour);
}

PrintSetupFields ReadPrintSetupDialog(const fw::TDialog& d) {
    PrintSetupFields f;
    f.byWidth = !d.IsItemChecked(dlg::kPrintByInterval);
    f.width = d.GetItemText(dlg::kPrintWidth);
    f.interval = d.GetItemText(dlg::kPrintInterval);
    f.left = d.GetItemText(dlg::kPrintLeft);
    f.top = d.GetItemText(dlg::kPrintTop);
    f.frame = d.IsItemChecked(dlg::kPrintFrame);
    f.colour = d.IsItemChecked(dlg::kPrintColour);
    return f;
}

}  // namespace curvelo
