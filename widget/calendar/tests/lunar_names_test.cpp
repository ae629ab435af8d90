#include "widget/calendar/lunar_converter.h"

#include <gtest/gtest.h>
