// The printed page of a voucher: a JPEG logo is drawn as the picture it is,
// not as the grey placeholder of an unreadable one.
#include <cairo.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "tests/vouchers/vouchers_test_support.h"

namespace vireo::test {
namespace {

class VoucherPageTest : public VoucherDbTest {};

// The PNG pages are drawn at one and a half times the layout's pixels.
constexpr double kEscalaPng = 1.5;

TEST_F(VoucherPageTest, AJpegLogoShowsOnThePage) {
  Basico();  // a 40 x 20 logo of colour 0x2060A0
  Parcela(Lado::kPagar, 10, 1, 100, 5, 5, 10);
  Commit();
  const std::string dir = PluginDirFrom("VIREO_VOUCHERS_PLUGIN_DIR");
  TnPrintSession session(ReportPlugin::Get(dir, "rptPaymentVoucher"),
                         LoadLayout(dir + "/rptPaymentVoucher.json"), RunVia::kConfiguredInstance);
  SetMarch2024(session.Engine());
  const std::string png = (dir_ / "recibo.png").string();
  session.Print({.png = png});
  std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> page(
      cairo_image_surface_create_from_png(png.c_str()), cairo_surface_destroy);
  ASSERT_EQ(cairo_surface_status(page.get()), CAIRO_STATUS_SUCCESS);
  // The middle of the logo box: margin 20 + 10 across; margin 20, the
  // frame's top (8) and room (6), then 2 + 64 / 2 down.
  const int x = static_cast<int>((20 + 10 + 112 / 2) * kEscalaPng);
  const int y = static_cast<int>((20 + 8 + 6 + 2 + 64 / 2) * kEscalaPng);
  const unsigned char* data = cairo_image_surface_get_data(page.get());
  const int stride = cairo_image_surface_get_stride(page.get());
  const uint32_t rgb = reinterpret_cast<const uint32_t*>(data + y * stride)[x] & 0xFFFFFF;
  EXPECT_NEAR(static_cast<int>(rgb >> 16), 0x20, 8);
  EXPECT_NEAR(static_cast<int>((rgb >> 8) & 0xFF), 0x60, 8);
  EXPECT_NEAR(static_cast<int>(rgb & 0xFF), 0xA0, 8);
  if (const char* keep = std::getenv("VIREO_KEEP_VOUCHER_PAGE")) {
    std::filesystem::copy_file(png, keep, std::filesystem::copy_options::overwrite_existing);
  }
}

}  // namespace
}  // namespace vireo::test
