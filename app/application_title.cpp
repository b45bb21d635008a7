#include "app/application_title.h"
