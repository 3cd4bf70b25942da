// Compressed images from files and resources: decoding, failures, drawing at own
// size or stretched.
#include "COBImage.h"
#include "COBResource.h"
#include "UiTest.h"

#include <QPainter>

namespace {

class ImageTest : public UiTest {
protected:
    // A solid red image written by Qt in the given format; its device path.
    std::u16string WriteImage(const std::string& name, int width, int height, const char* format) {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::red);
        EXPECT_TRUE(image.save(QString::fromStdString(Root().file(name)), format));
        return u"\\" + std::u16string(name.begin(), name.end());
    }
    // The bounding box of the red pixels drawn on white.
    static QRect RedArea(const QImage& canvas) {
        QRect area;
        for (int y = 0; y < canvas.height(); ++y)
            for (int x = 0; x < canvas.width(); ++x)
                if (canvas.pixelColor(x, y).red() > 200 && canvas.pixelColor(x, y).green() < 60)
                    area |= QRect(x, y, 1, 1);
        return area;
    }
};

}  // namespace

TEST_F(ImageTest, DecodesFilesAndResourcesWhateverTheirFormat) {
    const std::u16string png = WriteImage("a.png", 5, 3, "PNG");
    const std::u16string jpeg = WriteImage("b.jpg", 40, 30, "JPG");
    const QImage screen(1, 1, QImage::Format_RGB32);
    COBImage image;
    ASSERT_TRUE(image.Load(&screen, png.c_str()));
    EXPECT_EQ(QSize(image.GetWidth(), image.GetHeight()), QSize(5, 3));
    EXPECT_EQ(image.GetBitmap().depth(), 32);
    ASSERT_TRUE(image.Load(nullptr, jpeg.c_str()));
    EXPECT_EQ(QSize(image.GetWidth(), image.GetHeight()), QSize(40, 30));
    ASSERT_TRUE(image.SetBitmap(&screen, MAKEINTRESOURCE(9001), u"PNG", nullptr));
    EXPECT_EQ(QSize(image.GetWidth(), image.GetHeight()), QSize(16, 16));
    EXPECT_TRUE(image.IsLoaded());
}

TEST_F(ImageTest, MissingOrBrokenImagesFailAndLeaveNothingLoaded) {
    const std::u16string png = WriteImage("a.png", 5, 3, "PNG");
    WriteHostFile(Root().file("junk.jpg"), std::string("\xFF\xD8\xFF\xE0 not really a picture", 26));
    WriteHostFile(Root().file("empty.png"), "");
    COBImage image;
    for (const char16_t* file : {u"\\no such file.jpg", u"\\junk.jpg", u"\\empty.png"}) {
        ASSERT_TRUE(image.Load(nullptr, png.c_str()));
        EXPECT_FALSE(image.Load(nullptr, file));
        EXPECT_FALSE(image.IsLoaded());
        EXPECT_EQ(image.GetWidth(), 0);
    }
    EXPECT_FALSE(image.SetBitmap(nullptr, MAKEINTRESOURCE(9999), u"PNG", nullptr));
    EXPECT_FALSE(image.SetBitmap(nullptr, MAKEINTRESOURCE(9001), u"JPG", nullptr));
    EXPECT_FALSE(image.SetBitmap(nullptr, u"9001", u"PNG", nullptr));
}

TEST_F(ImageTest, DrawsAtItsOwnSizeOrStretchedToWhatIsGiven) {
    const std::u16string png = WriteImage("a.png", 5, 3, "PNG");
    COBImage image;
    ASSERT_TRUE(image.Load(nullptr, png.c_str()));
    struct Case {
        int width, height;
        QSize drawn;
    };
    const Case cases[] = {{-1, -1, {5, 3}}, {-1, 9, {5, 9}}, {10, 6, {10, 6}}};
    for (const Case& c : cases) {
        QImage canvas(30, 30, QImage::Format_RGB32);
        canvas.fill(Qt::white);
        QPainter painter(&canvas);
        image.Draw(painter, 2, 4, c.width, c.height);
        painter.end();
        EXPECT_EQ(RedArea(canvas), QRect(QPoint(2, 4), c.drawn)) << c.width << " x " << c.height;
    }
    EXPECT_EQ(image.CreateBitmap(8, 4).size(), QSize(8, 4));
    EXPECT_EQ(image.Copy().size(), QSize(5, 3));
}
