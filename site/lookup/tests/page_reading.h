#pragma once

// Reading the pages back in tests the simple way a person would: by the
// class names of their cells, with no HTML library and none of the code
// that wrote them.

#include <string>
#include <string_view>
#include <vector>

// The texts of every <div class="NAME">...</div> in `html`, in order.
inline std::vector<std::string> DivTexts(std::string_view html, std::string_view name) {
    const std::string open = "<div class=\"" + std::string(name) + "\">";
    std::vector<std::string> texts;
    for (std::size_t at = html.find(open); at != std::string_view::npos; at = html.find(open, at)) {
        at += open.size();
        const std::size_t end = html.find("</div>", at);
        if (end == std::string_view::npos) {
            break;
        }
        texts.emplace_back(html.substr(at, end - at));
    }
    return texts;
}

// One cell of the month grid; a blank cell has day 0.
struct GridCellText {
    std::string classes;
    int day = 0;
    std::string lunar;
    std::vector<std::string> terms;
    std::vector<std::string> holidays;
};

// The cells of the month grid in reading order (row by row, Sunday first).
inline std::vector<GridCellText> GridCells(std::string_view html) {
    constexpr std::string_view kOpen = "<td class=\"";
    std::vector<GridCellText> cells;
    const std::size_t grid = html.find("<table class=\"month\"");
    if (grid == std::string_view::npos) {
        return cells;
    }
    const std::size_t gridEnd = html.find("</table>", grid);
    const std::string_view table = html.substr(grid, gridEnd - grid);
    for (std::size_t at = table.find(kOpen); at != std::string_view::npos; at = table.find(kOpen, at)) {
        at += kOpen.size();
        const std::size_t classEnd = table.find('"', at);
        const std::size_t end = table.find("</td>", classEnd);
        GridCellText cell;
        cell.classes = std::string(table.substr(at, classEnd - at));
        const std::string_view content = table.substr(classEnd, end - classEnd);
        const std::vector<std::string> numbers = DivTexts(content, "num");
        if (!numbers.empty()) {
            cell.day = std::stoi(numbers.front());
        }
        const std::vector<std::string> lunar = DivTexts(content, "lunar");
        cell.lunar = lunar.empty() ? std::string() : lunar.front();
        cell.terms = DivTexts(content, "term");
        cell.holidays = DivTexts(content, "holiday");
        cells.push_back(cell);
        at = end;
    }
    return cells;
}

// The hrefs of the links whose text is `label`.
inline std::vector<std::string> LinksLabelled(std::string_view html, std::string_view label) {
    std::vector<std::string> links;
    const std::string close = "\">" + std::string(label) + "</a>";
    for (std::size_t at = html.find(close); at != std::string_view::npos; at = html.find(close, at + 1)) {
        const std::size_t start = html.rfind("href=\"", at);
        if (start != std::string_view::npos) {
            links.emplace_back(html.substr(start + 6, at - start - 6));
        }
    }
    return links;
}
