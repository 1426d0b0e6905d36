// JBIG-KIT's declarations: its headers carry no C linkage of their own.
#pragma once

extern "C" {
#include <jbig.h>
}
