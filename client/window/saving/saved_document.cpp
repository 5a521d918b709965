#include "client/window/saving/saved_document.h"

#include <array>

namespace orvinta::saving {

const std::string& SavedDocumentHead() {
  static const std::string head = [] {
    // "Korean" is a label browsers know for this code page, so the file is
    // read in the code page it is written in.
    constexpr std::array<std::string_view, 18> kLines = {
        "<html>",
        "<head>",
        "<meta http-equiv=Content-Type content='text/html; charset=Korean'>",
        "<title>벨보 오르빈타</title>",
        "<style>",
        "table {font-size:12px; color:#333333; margin-top:3px; margin-bottom:3px;}",
        "td {padding-top:3px;}",
        "a:link {font-size:12px; color:#333333; text-decoration : none;}",
        "a:visited {font-size:12px; color:#333333; text-decoration : none;}",
        "a:hover {font-size : 12px; color:#999999; text-decoration : none;}",
        ".ellips {overflow:hidden; text-overflow:ellipsis;}",
        ".fixed {table-layout:fixed; padding-top:0px;}",
        "</style>",
        "</head>",
        "",
        "<body bgColor=#FFFFFF leftMargin=0 topMargin=0 marginWidth=0 marginHeight=0 style='overflow-x:hidden;'>",
        "<br>",
        "",
    };
    std::string text;
    for (std::size_t i = 0; i < kLines.size(); ++i) {
      if (i > 0) text += '\n';
      text += kLines[i];
    }
    return text;
  }();
  return head;
}

std::string SavedDocument(std::string_view transcriptHtml) {
  std::string document = SavedDocumentHead();
  document.append(transcriptHtml);
  document.append(kSavedDocumentTail);
  return document;
}

}  // namespace orvinta::saving
