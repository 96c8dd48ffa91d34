// Precompiled Qt headers shared by every library and test that uses widgets.
#pragma once

#include "core/qtcore_pch.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QWidget>
