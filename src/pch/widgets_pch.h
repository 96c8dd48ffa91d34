// Precompiled Qt headers shared by every library and test that uses widgets.
#pragma once

#include "pch/core_pch.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QWidget>
