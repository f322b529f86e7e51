#include "BoardTestSupport.h"

#include <gtest/gtest.h>
