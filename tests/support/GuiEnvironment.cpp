// The one QApplication of a window test program, made before its first test and ended
// after its last. Every window test program is linked with this file.
#include <QApplication>
#include <gtest/gtest.h>
#include <memory>

namespace {

class GuiEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "quillvane_gui_tests";
        static char* argv[] = {name, nullptr};
        m_app = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override { m_app.reset(); }

private:
    std::unique_ptr<QApplication> m_app;
};

[[maybe_unused]] const auto* const kGui = ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

} // namespace
