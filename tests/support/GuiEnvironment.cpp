// Fonts and pictures need a GUI application object; the offscreen platform serves without a
// display. Linked into the test programs made with ravo_test(... GUI ...).
#include <QGuiApplication>

#include <gtest/gtest.h>

#include <memory>

namespace {

class TGuiEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "ravo_test";
        static char* argv[] = {name, nullptr};
        m_app = std::make_unique<QGuiApplication>(argc, argv);
    }
    void TearDown() override { m_app.reset(); }

private:
    std::unique_ptr<QGuiApplication> m_app;
};

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new TGuiEnvironment);

}  // namespace
