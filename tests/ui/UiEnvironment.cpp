// Widgets need an application object; the offscreen platform serves without a display. The
// data home is a folder of this run, so the sessions the tests write stay theirs.
#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

class TUiEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "test_ui";
        static char* argv[] = {name, nullptr};
        m_dataHome = std::make_unique<QTemporaryDir>();
        qputenv("XDG_DATA_HOME", m_dataHome->path().toLocal8Bit());
        m_app = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override
    {
        m_app.reset();
        m_dataHome.reset();
    }

private:
    std::unique_ptr<QTemporaryDir> m_dataHome;
    std::unique_ptr<QApplication> m_app;
};

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new TUiEnvironment);

} // namespace
