#pragma once
// The window manager's interface, in the platform's own shape.
#include "platform/user/accelerator_api.h"
#include "platform/user/common_controls.h"
#include "platform/user/control_styles.h"
#include "platform/user/dialog_api.h"
#include "platform/user/input_api.h"
#include "platform/user/menu_api.h"
#include "platform/user/message_api.h"
#include "platform/user/paint_api.h"
#include "platform/user/scroll_api.h"
#include "platform/user/system_api.h"
#include "platform/user/window_api.h"
#include "platform/user/resource_api.h"
