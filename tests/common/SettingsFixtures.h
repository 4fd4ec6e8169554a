#pragma once
// Settings records for the tests of the configuration and of the settings dialog.

#include "config/AppSettings.h"

#include <QStringList>

// Every field differs from its default; the output folder lacks its "/", as a typed one may.
TAppSettings ChangedSettings();

// The record as text, one value per field in key order, so that two records compare in one
// QCOMPARE that names the field that differs by its place.
QStringList SettingsFields(const TAppSettings &s);
