// The whole editor as start-up builds it — document, preferences in a temporary settings folder, main
// window, info window and every command handler — driven offscreen through the recording UI port.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "app/commands/command_context.h"
#include "app/commands/editor_commands.h"
#include "app/info_window.h"
#include "app/main_window.h"
#include "app/preferences.h"
#include "app/startup.h"
#include "canvas/editor_state.h"
#include "shell/settings_store.h"
#include "support/recording_ui_port.h"
#include "support/temp_dir.h"
#include "template/document.h"

namespace plazor::testing {

class EditorTest : public ::testing::Test {
  protected:
    TempDir dir;
    RecordingUiPort ui;
    SettingsStore store{kMainSettingsKey, dir.path() / "config"};
    StartupFolders folders;
    Document doc;
    Preferences prefs;
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<InfoWindow> info;
    std::unique_ptr<EditorContext> editor;
    EditorCommands* commands = nullptr;  // owned by the window

    void SetUp() override {
        folders.program = dir / "program";
        folders.templates = dir / "program/我的模版";
        folders.desktop = dir / "Desktop";
        for (const auto& f : {folders.program, folders.templates, folders.desktop}) {
            std::filesystem::create_directories(f);
        }
        prefs = Preferences::load(store, folders.desktop);
        doc.background.dpi = prefs.dpi;
        window = std::make_unique<MainWindow>(doc, prefs);
        info = std::make_unique<InfoWindow>(window.get());
        editor = std::make_unique<EditorContext>(
            EditorContext{ui, doc, prefs, *window, *info, folders, QSize(1024, 768)});
        commands = new EditorCommands(*editor);
    }

    void TearDown() override {
        info.reset();    // a child of the window: deleted first, so that the window does not delete it again
        window.reset();  // deletes the commands and the dialogs with it
    }

    EditorState& state() { return commands->state(); }
    void command(int id) { window->onCommand(id); }
};

}  // namespace plazor::testing
