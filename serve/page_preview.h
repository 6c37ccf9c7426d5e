// Pages of a finished print as images, made one at a time when the browser
// asks for them: the first page of a very long ledger shows at once, and a
// page never looked at is never drawn.  Drawn by poppler's pdftoppm from the
// print's PDF and kept beside it.
#pragma once

#include <string>

namespace vireo::serve {

// Resolutions a preview may ask for (zoom); others are refused.
constexpr int kMinPreviewDpi = 36;
constexpr int kMaxPreviewDpi = 200;

// The PNG of page `page` (from 1) of `pdf` at `dpi`, made in `dir` unless it
// is there already; raises std::runtime_error when it cannot be drawn.
std::string PreviewPage(const std::string& pdf, int page, int dpi, const std::string& dir);

}  // namespace vireo::serve
