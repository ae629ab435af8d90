#pragma once

// The suite's XML layer reads every document as GBK text, so a document in
// UTF-8 is converted before it is loaded.

#include <string>
#include <string_view>

// `document` as GBK: converted from UTF-8 when it starts with the UTF-8 byte
// order mark (which is dropped) or its XML declaration names UTF-8 as its
// encoding; otherwise as it is.
std::string XmlDocumentAsGbk(std::string_view document);
