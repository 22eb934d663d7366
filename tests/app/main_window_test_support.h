// A main window over a fresh document and preferences kept in a temporary settings folder.
#pragma once

#include "app/main_window.h"
#include "app/preferences.h"
#include "shell/settings_store.h"
#include "support/temp_dir.h"
#include "template/document.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace plazor::testing {

class MainWindowTest : public ::testing::Test {
  protected:
    TempDir dir;
    std::string desktop = dir / "Desktop";
    SettingsStore store{kMainSettingsKey, dir.path() / "config"};
    Document doc;
    Preferences prefs;
    std::unique_ptr<MainWindow> window;
    std::vector<int> ran;  // commands whose handlers ran, in order

    void SetUp() override {
        std::filesystem::create_directories(desktop);
        prefs = Preferences::load(store, desktop);
        window = std::make_unique<MainWindow>(doc, prefs);
    }

    // Records every command in [first, last] that reaches a handler.
    void recordCommands(int first, int last) {
        for (int id = first; id <= last; ++id)
            window->setCommandHandler(id, [this, id] { ran.push_back(id); });
    }

    template <class T>
    T* find(const QString& name) const {
        T* widget = window->findChild<T*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }
    template <class T>
    T* control(int id) const {
        T* widget = qobject_cast<T*>(window->control(id));
        EXPECT_NE(widget, nullptr) << id;
        return widget;
    }
};

}  // namespace plazor::testing
