#pragma once

#define IDI_MARLOWEN 1
