#pragma once
// The main window's frame around the generator pages and the script box: the
// navigation tree, the tool chooser, the tray icon's way back, and the hidden
// router login form.
#include "app/App.h"
#include "ui/Window.h"

namespace trelvix {

// Binds the frame's handlers on the main window (app.main).
void BindMainFrame(App& app);

// Handlers, by the events they answer.
void NavigateFeatureTree(ui::Window& main);  // 树型框1: current item changed
void OpenToolWindow(App& app);               // 按钮_打开
void OnTrayLeftClick(App& app);
void OnTrayRightClick(App& app);
void OnMenuShowMainWindow(App& app);
void OnMenuVisitSite(App& app);
void ShowRemoteLoginWindow(App& app);  // the hidden 按钮_登录

// Closes the windows the frame opened (tool windows and the login form)
// without the chance to refuse; part of the main window's shut-down.
void CloseFrameWindows(App& app);

}  // namespace trelvix
