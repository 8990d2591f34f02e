// Turns the host's window icon into the PNG that desktops look up by name, so
// the installed icon can never drift from the one the window shows.
//
//   xpm_to_png <input.xpm> <output.png> <size>

#include <QImage>

#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[])
{
    if (argc != 4) {
        std::fputs("usage: xpm_to_png INPUT.xpm OUTPUT.png SIZE\n", stderr);
        return 2;
    }
    const int size = std::atoi(argv[3]);
    const QImage image(QString::fromLocal8Bit(argv[1]), "XPM");
    if (image.isNull()) {
        std::fprintf(stderr, "xpm_to_png: cannot read %s as XPM\n", argv[1]);
        return 1;
    }
    // The icon theme files it under SIZExSIZE; a picture of another size there
    // would be scaled by every desktop, so refuse it instead.
    if (image.width() != size || image.height() != size) {
        std::fprintf(stderr, "xpm_to_png: %s is %dx%d, expected %dx%d\n", argv[1], image.width(),
            image.height(), size, size);
        return 1;
    }
    if (!image.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "xpm_to_png: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
