#include "platform/Contrast.h"

namespace platform {
namespace {

// x to the power 2.4 for x in [0, 1], as x squared times the fifth root of x squared; Newton's
// method from above converges in a few steps and keeps the library free of the maths library.
double PowerTwoPointFour(double x) {
    double square = x * x, root = 1.0;
    if (square <= 0.0) return 0.0;
    for (int i = 0; i < 40; ++i) {
        double fourth = root * root * root * root;
        root = (4.0 * root + square / fourth) / 5.0;
    }
    return square * root;
}

double Linear(unsigned channel) {
    double s = channel / 255.0;
    return s <= 0.04045 ? s / 12.92 : PowerTwoPointFour((s + 0.055) / 1.055);
}

double Luminance(Color c) {
    return 0.2126 * Linear(c & 0xFF) + 0.7152 * Linear((c >> 8) & 0xFF) + 0.0722 * Linear((c >> 16) & 0xFF);
}

}  // namespace

double ContrastRatio(Color a, Color b) {
    double la = Luminance(a), lb = Luminance(b);
    return la > lb ? (la + 0.05) / (lb + 0.05) : (lb + 0.05) / (la + 0.05);
}

Color ReadableTextOn(Color background) {
    return ContrastRatio(kBlack, background) >= ContrastRatio(kWhite, background) ? kBlack : kWhite;
}

}  // namespace platform
