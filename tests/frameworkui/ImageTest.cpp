// Compressed images from the resources: decoding, and failures that leave nothing loaded.
#include "COBImage.h"
#include "COBResource.h"
#include "UiTest.h"

TEST(ImageTest, DecodesAResourceAndFailuresLeaveNothingLoaded) {
    EnsureQApplication();
    const QImage screen(1, 1, QImage::Format_RGB32);
    COBImage image;
    ASSERT_TRUE(image.SetBitmap(&screen, MAKEINTRESOURCE(9001), u"PNG", nullptr));
    EXPECT_EQ(QSize(image.GetWidth(), image.GetHeight()), QSize(16, 16));
    EXPECT_EQ(image.GetBitmap().depth(), 32);
    EXPECT_TRUE(image.IsLoaded());
    // A missing resource, a resource of another type, a name instead of a number.
    for (const auto& [name, type] : {std::pair{MAKEINTRESOURCE(9999), u"PNG"}, {MAKEINTRESOURCE(9001), u"JPG"},
                                     {static_cast<LPCTSTR>(u"9001"), u"PNG"}}) {
        ASSERT_TRUE(image.SetBitmap(&screen, MAKEINTRESOURCE(9001), u"PNG", nullptr));
        EXPECT_FALSE(image.SetBitmap(nullptr, name, type, nullptr));
        EXPECT_FALSE(image.IsLoaded());
        EXPECT_EQ(image.GetWidth(), 0);
    }
}
