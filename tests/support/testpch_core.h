// Precompiled headers of the model-code tests.
#pragma once

#include "core/qtcore_pch.h"

#include <QTest>
