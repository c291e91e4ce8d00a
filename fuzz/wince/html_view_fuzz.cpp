// Feeds the bytes (UTF-16, little-endian) to the HTML view's reader, then to
// a view that lays the text out in a narrow width.
#include <cstddef>
#include <cstdint>
#include <string>

#include "html_document.h"
#include "wince/host/window.h"
#include "wince/htmlview.h"
#include "wince/window.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::u16string text;
  for (size_t i = 0; i + 1 < size; i += 2) text.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
  (void)wince::html::plainText(wince::html::parse(text));
  InitHTMLControl(nullptr);
  if (HWND view = CreateWindowEx(0, WC_HTML, u"", WS_VISIBLE, 0, 0, 60, 80, nullptr, nullptr, nullptr, nullptr)) {
    SendMessage(view, DTM_ADDTEXTW, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessage(view, DTM_ENDOFSOURCE, 0, 0);
    UpdateWindow(view);
    DestroyWindow(view);
  }
  wince::resetWindowing();
  return 0;
}
