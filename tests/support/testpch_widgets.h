// Precompiled headers of the tests that use widgets.
#pragma once

#include "platform/qtwidgets_pch.h"

#include <QTest>
