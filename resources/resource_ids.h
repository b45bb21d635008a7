#pragma once
// Resource numbers shared by quillmark.rc and the code that loads them.
// Plain #defines: the resource compiler reads this file too.

#define QM_IDI_APPLICATION 1
#define QM_IDI_BUILTIN 2
#define QM_IDB_IMAGE5 101
#define QM_IDB_IMAGE1 102
#define QM_IDB_IMAGE2 103
