#pragma once
// Everything the window layer offers, in one include: message numbers, windows and procedures, the
// message queue and timers, input routing, focus and capture, painting, and the screen services.
#include "platform/win/Input.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/Messages.h"
#include "platform/win/Paint.h"
#include "platform/win/Screen.h"
#include "platform/win/Window.h"
