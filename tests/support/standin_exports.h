// How the GL stand-ins meet the program on Windows, where GL lives in a DLL
// (opengl32.dll) and MinGW's gl.h declares every GL call an import from one.
// There each stand-in is a DLL too: built with GL_STANDIN_BUILD, it exports
// every GL call as opengl32.dll does, winmm's PlaySoundA as winmm.dll does,
// and GLU's and GLUT's calls and its own functions marked STANDIN_API.
// Elsewhere this header only makes STANDIN_API empty. Included first.
#pragma once

#if defined(_WIN32) && defined(GL_STANDIN_BUILD)
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN  // as freeglut's header asks for it
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// wingdi.h has made WINGDIAPI an import: gl.h's declarations become exports.
#undef WINGDIAPI
#define WINGDIAPI __declspec(dllexport)
// winmm's own build switch: PlaySoundA declared plainly, exported below.
#define _WINMM_
#include <mmsystem.h>
// freeglut's header would rename glutInit, glutCreateWindow and
// glutCreateMenu here; the stand-in keeps their names and answers the
// exit-aware entry points the program calls them through as well.
#define GLUT_DISABLE_ATEXIT_HACK
#define STANDIN_API __declspec(dllexport)
#elif defined(_WIN32)
#define STANDIN_API __declspec(dllimport)
#else
#define STANDIN_API
#endif
