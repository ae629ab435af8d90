#include "site/lookup/html_page.h"

#include <utility>

namespace {

// CSS 1 only, which every engine of the browser control knows.
constexpr std::string_view kStyleSheet =
    "body{font-family:宋体,SimSun,sans-serif;font-size:9pt;margin:6px;background:#fff;color:#000}"
    "table{border-collapse:collapse}"
    "td,th{font-size:9pt}"
    "a{color:#1a4fa0}"
    ".nav td{padding:2px 6px}"
    ".caption{font-size:12pt;font-weight:bold;text-align:center}"
    ".lunaryear{color:#666;text-align:center}"
    ".month th{background:#e8eef8;border:1px solid #b8c4d8;padding:3px;width:96px}"
    ".month td{border:1px solid #b8c4d8;vertical-align:top;height:48px;padding:2px}"
    ".num{font-size:12pt;font-weight:bold}"
    ".weekend .num{color:#c00000}"
    ".today{background:#fff0b0}"
    ".lunar{color:#555}"
    ".term{color:#008000}"
    ".holiday{color:#c00000}"
    ".rates th{background:#e8eef8;border:1px solid #b8c4d8;padding:3px 8px}"
    ".rates td{border:1px solid #b8c4d8;padding:3px 8px}"
    ".figure{text-align:right;font-family:Courier New,monospace}"
    ".note{color:#666}"
    ".warning{color:#c00000}";

}  // namespace

std::string HtmlDocument(std::string_view title, std::string_view body) {
    std::string document =
        "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n"
        "<html>\r\n<head>\r\n"
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\">\r\n<title>";
    document += HtmlEscape(title);
    document += "</title>\r\n<style type=\"text/css\">";
    document += kStyleSheet;
    document += "</style>\r\n</head>\r\n<body>\r\n";
    document += body;
    document += "</body>\r\n</html>\r\n";
    return document;
}

std::string MessageDocument(std::string_view title, std::string_view message, std::string_view link) {
    std::string body = "<p class=\"warning\">" + HtmlEscape(message) + "</p>\r\n";
    if (!link.empty()) {
        body += "<p>" + std::string(link) + "</p>\r\n";
    }
    return HtmlDocument(title, body);
}

SiteResponse HtmlResponse(int status, std::string document) {
    SiteResponse response;
    response.status = status;
    response.contentType = kHtmlContentType;
    response.body = std::move(document);
    return response;
}
