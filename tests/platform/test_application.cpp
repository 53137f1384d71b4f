#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <vector>

#include "platform/qt/qt_application.h"
#include "platform/qt/std_random.h"

namespace qrn::platform {
namespace {

TEST(Application, PathIsTheFolderOfTheCodeNotTheCurrentFolder) {
    QTemporaryDir elsewhere;
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(elsewhere.path()));
    QtApplication app;
    const QString path = QString::fromStdU16String(app.Path());
    QDir::setCurrent(before);
    EXPECT_EQ(QFileInfo(path).canonicalFilePath(), QFileInfo(QRN_TEST_EXE_DIR).canonicalFilePath());
    EXPECT_FALSE(path.endsWith('/'));
    EXPECT_EQ(app.Title(), u"QRNPlg");
}

std::vector<double> draws(Random& random, double seed) {
    random.Randomize(seed);
    std::vector<double> values;
    for (int i = 0; i < 1000; ++i) values.push_back(random.Rnd());
    return values;
}

TEST(Random, EqualSeedsGiveEqualSequencesOnZeroToOne) {
    StdRandom random;
    const auto first = draws(random, 12.5);
    EXPECT_EQ(draws(random, 12.5), first);
    EXPECT_NE(draws(random, 12.75), first);
    EXPECT_EQ(draws(random, -0.0), draws(random, 0.0));
    for (double value : first) {
        EXPECT_GE(value, 0.0);
        EXPECT_LT(value, 1.0);
    }
    const double now = random.Timer();
    EXPECT_TRUE(now >= 0.0 && now < 86400.0);
}

}  // namespace
}  // namespace qrn::platform
