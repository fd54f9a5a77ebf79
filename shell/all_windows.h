#pragma once

// The full declarations of the windows, for code that uses several.
#include "editors/building_editor.h"
#include "editors/rules_text_window.h"
#include "editors/projectile_editor.h"
#include "editors/unit_editor.h"
#include "editors/warhead_editor.h"
#include "editors/weapon_editor.h"
#include "general/general_window.h"
#include "library/library_browser.h"
#include "project/project_window.h"
#include "shell/main_window.h"
#include "shell/settings_window.h"
