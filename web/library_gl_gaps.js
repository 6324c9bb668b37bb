// The fixed-function GL calls that Emscripten's GL emulation lacks or gets
// wrong for this program, answered on top of it: glBegin/glEnd blocks of any
// primitive (GL_QUAD_STRIP, GL_POLYGON, GL_QUADS included) with per-vertex
// normals, texture coordinates and colours taken from GL's current values as
// desktop GL does; display lists kept as WebGL buffers; texture objects by
// fixed number; the internal formats 1-4 and GL_CLAMP, which WebGL refuses.
//
// Every block is drawn as interleaved floats from a WebGL array buffer
// through the emulation's own client-array path, which does the lighting,
// fog and texturing. Only the immediate-mode calls are recorded into a list;
// anything else called while compiling runs at once (this program compiles
// nothing else). A list block whose vertices all lack a normal, a texture
// coordinate or a colour takes GL's current one as a constant attribute when
// called, so the block stays in its buffer.

var LibraryWaterfallGLGaps = {
  $WaterfallGL__deps: ['$GL', '$GLImmediateSetup', '$GLEmulation', 'glBindBuffer',
    'glVertexPointer', 'glNormalPointer', 'glTexCoordPointer', 'glColorPointer',
    'glEnableClientState', 'glDisableClientState', 'glDrawArrays'],
  // The emulation announces itself on the console as it starts; the page's
  // console stays for the program's own standard error.
  $WaterfallGL__postset: 'WaterfallGL.quietEmulationNotices();' +
    'Browser.moduleContextCreatedCallbacks.push(WaterfallGL.skipUnchangedState);',
  $WaterfallGL: {
    quietEmulationNotices: function() {
      var toConsole = err;
      err = function(text) {
        if (typeof text == 'string' && text.indexOf('WARNING: using emscripten GL ') == 0) return;
        toConsole.apply(null, arguments);
      };
    },

    // Floats per vertex: position 3, normal 3, texture coordinate 2, colour 4.
    STRIDE_FLOATS: 12,
    NORMAL_AT: 3,
    TEXCOORD_AT: 6,
    COLOR_AT: 8,
    normal: [0, 0, 1],
    texCoord: [0, 0],
    color: [1, 1, 1, 1],
    block: null,        // {mode, floats: []} between glBegin and glEnd
    compiling: null,    // {id, execute, ops, floats, set: {normal, texCoord, color}}
    lists: {},
    nextListId: 1,
    streamBuffer: 0,    // GL name of the buffer immediate blocks are sent through
    streamed: null,     // Float32Array: what it holds
    textureZero: null,  // WebGL texture standing in for desktop GL's object 0
    arraysOn: false,
    // Which client arrays are on; off, the attribute takes GL's current value.
    arrayOn: {normal: false, texCoord: false, color: false},
    constant: null,     // Float32Array(4): a current value on its way to WebGL
    // Nothing taken from GL's current values: immediate and filled blocks.
    NONE_CURRENT: {currentNormal: false, currentTexCoord: false, currentColor: false},

    newBuffer: function() {
      var id = GL.getNewId(GL.buffers);
      var buffer = GLctx.createBuffer();
      buffer.name = id;
      GL.buffers[id] = buffer;
      return id;
    },

    // The emulation sends every light, material and fog value, and points
    // every vertex attribute again, before each draw: thousands of times a
    // frame for the drops. What WebGL already holds is not sent again.
    skipUnchangedState: function() {
      ['uniform1f', 'uniform4fv', 'uniformMatrix3fv', 'uniformMatrix4fv'].forEach(function(name) {
        var send = GLctx[name];
        var isMatrix = name.indexOf('Matrix') >= 0;
        GLctx[name] = function(location, a, b) {
          if (!location) return;
          if (WaterfallGL.holds(location, isMatrix ? b : a)) return;
          send.apply(GLctx, arguments);
        };
      });
      // Per attribute: the constant value, whether the array is on, and where
      // it points (which also depends on the bound array buffer).
      var attributes = [];
      var attribute = function(index) {
        return attributes[index] || (attributes[index] = {});
      };
      var sendConstant = GLctx.vertexAttrib4fv;
      GLctx.vertexAttrib4fv = function(index, values) {
        if (WaterfallGL.holds(attribute(index), values)) return;
        sendConstant.call(GLctx, index, values);
      };
      // The emulation also sets constants with vertexAttrib4f: the value held
      // is then unknown.
      var sendConstant4f = GLctx.vertexAttrib4f;
      GLctx.vertexAttrib4f = function(index) {
        attribute(index).waterfallHeld = null;
        sendConstant4f.apply(GLctx, arguments);
      };
      var enable = GLctx.enableVertexAttribArray, disable = GLctx.disableVertexAttribArray;
      GLctx.enableVertexAttribArray = function(index) {
        if (attribute(index).on === true) return;
        attribute(index).on = true;
        enable.call(GLctx, index);
      };
      GLctx.disableVertexAttribArray = function(index) {
        if (attribute(index).on === false) return;
        attribute(index).on = false;
        disable.call(GLctx, index);
      };
      var bind = GLctx.bindBuffer, arrayBuffer = null, bufferNames = 0;
      GLctx.bindBuffer = function(target, buffer) {
        if (target == GLctx.ARRAY_BUFFER) {
          arrayBuffer = buffer;
          if (buffer && !buffer.waterfallName) buffer.waterfallName = ++bufferNames;
        }
        bind.call(GLctx, target, buffer);
      };
      var point = GLctx.vertexAttribPointer;
      GLctx.vertexAttribPointer = function(index, size, type, normalized, stride, offset) {
        var bound = arrayBuffer ? arrayBuffer.waterfallName : 0;
        var where = [bound, size, type, normalized, stride, offset].join();
        if (attribute(index).where === where) return;
        attribute(index).where = where;
        point.apply(GLctx, arguments);
      };
    },

    // Whether `holder` already holds `values` (a number or an array); if not,
    // it holds them from now on.
    holds: function(holder, values) {
      var held = holder.waterfallHeld;
      if (typeof values == 'number') {
        if (held === values) return true;
        holder.waterfallHeld = values;
        return false;
      }
      if (held && held.length == values.length) {
        for (var i = 0; i < values.length; i++) {
          if (held[i] !== values[i]) {
            held.set(values);
            return false;
          }
        }
        return true;
      }
      holder.waterfallHeld = new Float32Array(values);
      return false;
    },

    // The WebGL primitive and the vertex floats for a desktop GL block.
    webglBlock: function(mode, floats) {
      var n = WaterfallGL.STRIDE_FLOATS;
      var count = floats.length / n;
      if (mode == 0x8 /* GL_QUAD_STRIP */) {
        // Same vertex order as a triangle strip; a lone last vertex is dropped.
        count -= count % 2;
        return {mode: 0x5 /* GL_TRIANGLE_STRIP */, floats: floats.slice(0, count * n), count: count};
      }
      if (mode == 0x9 /* GL_POLYGON */) {
        return {mode: 0x6 /* GL_TRIANGLE_FAN */, floats: floats, count: count};
      }
      if (mode == 0x7 /* GL_QUADS */) {
        var out = [];
        for (var q = 0; q + 4 <= count; q += 4) {
          [0, 1, 2, 0, 2, 3].forEach(function(corner) {
            var at = (q + corner) * n;
            for (var k = 0; k < n; k++) out.push(floats[at + k]);
          });
        }
        return {mode: 0x4 /* GL_TRIANGLES */, floats: out, count: out.length / n};
      }
      return {mode: mode, floats: floats, count: count};
    },

    // Points the emulation's client arrays into a WebGL buffer, with the
    // arrays of the values `op` takes from GL's current ones off (the
    // emulation then takes the current colour itself; the normal and the
    // texture coordinate go to their attributes as constants). The arrays
    // stay as they are between draws (nothing else in the program uses
    // client arrays), so a run of drops changes no state but the matrix.
    arraysFor: function(bufferId, op) {
      if (GLctx.currentArrayBufferBinding != bufferId) {
        _glBindBuffer(0x8892 /* GL_ARRAY_BUFFER */, bufferId);
      }
      if (!WaterfallGL.arraysOn) {
        var stride = WaterfallGL.STRIDE_FLOATS * 4;
        _glEnableClientState(0x8074 /* GL_VERTEX_ARRAY */);
        _glVertexPointer(3, 0x1406 /* GL_FLOAT */, stride, 0);
        _glNormalPointer(0x1406, stride, WaterfallGL.NORMAL_AT * 4);
        _glTexCoordPointer(2, 0x1406, stride, WaterfallGL.TEXCOORD_AT * 4);
        _glColorPointer(4, 0x1406, stride, WaterfallGL.COLOR_AT * 4);
        WaterfallGL.constant = new Float32Array(4);
        WaterfallGL.arraysOn = true;
      }
      WaterfallGL.arrayFor('normal', 0x8075 /* GL_NORMAL_ARRAY */, !op.currentNormal);
      WaterfallGL.arrayFor('texCoord', 0x8078 /* GL_TEXTURE_COORD_ARRAY */, !op.currentTexCoord);
      WaterfallGL.arrayFor('color', 0x8076 /* GL_COLOR_ARRAY */, !op.currentColor);
      var constant = WaterfallGL.constant;
      if (op.currentNormal) {
        var n = WaterfallGL.normal;
        constant[0] = n[0]; constant[1] = n[1]; constant[2] = n[2]; constant[3] = 1;
        WaterfallGL.sendConstant(GLImmediate.NORMAL);
      }
      if (op.currentTexCoord) {
        var t = WaterfallGL.texCoord;
        constant[0] = t[0]; constant[1] = t[1]; constant[2] = 0; constant[3] = 1;
        WaterfallGL.sendConstant(GLImmediate.TEXTURE0);
      }
    },

    arrayFor: function(name, clientState, on) {
      if (WaterfallGL.arrayOn[name] == on) return;
      if (on) _glEnableClientState(clientState); else _glDisableClientState(clientState);
      WaterfallGL.arrayOn[name] = on;
    },

    // The emulation binds each attribute to its own index in every program
    // it makes. With the array off there, the shader reads this constant.
    // The renderer drawn before may have left the array on: the emulation
    // switches off only the arrays the client still has on.
    sendConstant: function(index) {
      GLctx.disableVertexAttribArray(index);
      GLctx.vertexAttrib4fv(index, WaterfallGL.constant);
    },

    // Sends vertex floats that live on this side (immediate blocks, and list
    // blocks that take GL's current values when called); the same block as
    // the one sent last (the ground, every frame) is not sent again.
    drawStreamed: function(mode, floats, count) {
      if (!WaterfallGL.streamBuffer) WaterfallGL.streamBuffer = WaterfallGL.newBuffer();
      _glBindBuffer(0x8892, WaterfallGL.streamBuffer);
      if (!WaterfallGL.holdsFloats(WaterfallGL.streamed, floats)) {
        WaterfallGL.streamed = new Float32Array(floats);
        GLctx.bufferData(GLctx.ARRAY_BUFFER, WaterfallGL.streamed, GLctx.STREAM_DRAW);
      }
      WaterfallGL.arraysFor(WaterfallGL.streamBuffer, WaterfallGL.NONE_CURRENT);
      _glDrawArrays(mode, 0, count);
    },

    // Whether `held` (a Float32Array) holds `floats` as WebGL would take them.
    holdsFloats: function(held, floats) {
      if (!held || held.length != floats.length) return false;
      for (var i = 0; i < floats.length; i++) {
        if (held[i] !== Math.fround(floats[i])) return false;
      }
      return true;
    },

    // A triangle block as triangle strips: a strip as it is, anything else a
    // strip of three corners per triangle, in GL's order.
    strips: function(op) {
      if (op.mode == 0x5 /* GL_TRIANGLE_STRIP */) return [op.floats];
      var n = WaterfallGL.STRIDE_FLOATS, f = op.floats, out = [];
      var corner = function(strip, v) { for (var k = 0; k < n; k++) strip.push(f[v * n + k]); };
      for (var i = 0; i + 2 < op.count; i++) {
        var strip = [];
        if (op.mode == 0x4 /* GL_TRIANGLES */) {
          if (i % 3) continue;
          corner(strip, i); corner(strip, i + 1); corner(strip, i + 2);
        } else {  // GL_TRIANGLE_FAN
          corner(strip, 0); corner(strip, i + 1); corner(strip, i + 2);
        }
        out.push(strip);
      }
      return out;
    },

    // A list's neighbouring triangle blocks become one strip, joined by
    // triangles of no area (each block still starts on an even vertex, so
    // every triangle keeps its winding): a drop's sphere is a dozen strips,
    // and a draw costs far more than a few extra vertices.
    mergeTriangles: function(ops) {
      var n = WaterfallGL.STRIDE_FLOATS, merged = [], run = null;
      var repeat = function(floats, at) {
        for (var k = 0; k < n; k++) floats.push(floats[at * n + k]);
      };
      ops.forEach(function(op) {
        var triangles = !op.fill && !op.call && op.mode >= 0x4 && op.mode <= 0x6;
        if (!triangles) {
          run = null;
          merged.push(op);
          return;
        }
        if (!run || !WaterfallGL.takesSameCurrent(run, op)) {
          run = {mode: 0x5 /* GL_TRIANGLE_STRIP */, floats: [], count: 0,
            currentNormal: op.currentNormal, currentTexCoord: op.currentTexCoord,
            currentColor: op.currentColor};
          merged.push(run);
        }
        WaterfallGL.strips(op).forEach(function(strip) {
          if (run.count) {
            repeat(run.floats, run.count - 1);
            if (run.count % 2) repeat(run.floats, run.count - 1);
            for (var k = 0; k < n; k++) run.floats.push(strip[k]);
          }
          Array.prototype.push.apply(run.floats, strip);
          run.count = run.floats.length / n;
        });
      });
      return merged;
    },

    takesSameCurrent: function(a, b) {
      return a.currentNormal == b.currentNormal && a.currentTexCoord == b.currentTexCoord &&
        a.currentColor == b.currentColor;
    },

    // A vertex with GL's current values; inside a list, values the list has
    // not set yet are left as NaN and filled in when the list is called.
    pushVertex: function(x, y, z) {
      var floats = WaterfallGL.block.floats;
      var set = WaterfallGL.compiling ? WaterfallGL.compiling.set : null;
      floats.push(x, y, z);
      var n = WaterfallGL.normal, t = WaterfallGL.texCoord, c = WaterfallGL.color;
      if (set && !set.normal) floats.push(NaN, NaN, NaN); else floats.push(n[0], n[1], n[2]);
      if (set && !set.texCoord) floats.push(NaN, NaN); else floats.push(t[0], t[1]);
      if (set && !set.color) floats.push(NaN, NaN, NaN, NaN); else floats.push(c[0], c[1], c[2], c[3]);
    },

    fillFromCurrent: function(floats) {
      var out = floats.slice();
      var current = [].concat([0, 0, 0], WaterfallGL.normal, WaterfallGL.texCoord, WaterfallGL.color);
      for (var i = 0; i < out.length; i++) {
        if (out[i] !== out[i]) out[i] = current[i % WaterfallGL.STRIDE_FLOATS];
      }
      return out;
    },

    runList: function(list) {
      for (var i = 0; i < list.ops.length; i++) {
        var op = list.ops[i];
        if (op.call) {
          var inner = WaterfallGL.lists[op.call];
          if (inner) WaterfallGL.runList(inner);
        } else if (op.fill) {
          WaterfallGL.drawStreamed(op.mode, WaterfallGL.fillFromCurrent(op.floats), op.count);
        } else {
          WaterfallGL.arraysFor(list.buffer, op);
          _glDrawArrays(op.mode, op.first, op.count);
        }
      }
      WaterfallGL.takeListValues(list);
    },

    // What a list set stays GL's current value after it is called (copied
    // in place: drawn thousands of times a frame, it makes no garbage).
    takeListValues: function(list) {
      if (list.normal) WaterfallGL.copyInto(WaterfallGL.normal, list.normal);
      if (list.texCoord) WaterfallGL.copyInto(WaterfallGL.texCoord, list.texCoord);
      if (list.color) WaterfallGL.copyInto(WaterfallGL.color, list.color);
    },

    copyInto: function(to, from) {
      for (var i = 0; i < from.length; i++) to[i] = from[i];
    },

    noteSet: function(what) {
      if (WaterfallGL.compiling) WaterfallGL.compiling.set[what] = true;
    },
  },

  glBegin__deps: ['$WaterfallGL', '$GLImmediateSetup'],
  glBegin: function(mode) {
    WaterfallGL.block = {mode: mode, floats: []};
  },

  glEnd__deps: ['$WaterfallGL'],
  glEnd: function() {
    var block = WaterfallGL.block;
    WaterfallGL.block = null;
    if (!block || block.floats.length == 0) return;
    var sent = WaterfallGL.webglBlock(block.mode, block.floats);
    if (sent.count == 0) return;
    var list = WaterfallGL.compiling;
    if (list) {
      // A value the list had not set yet is GL's current one when called: a
      // constant if no vertex of the block has it, else filled in on each
      // call.
      var n = WaterfallGL.STRIDE_FLOATS, count = sent.count;
      var unset = function(at) {
        var missing = 0;
        for (var v = 0; v < count; v++) missing += sent.floats[v * n + at] !== sent.floats[v * n + at];
        return missing;
      };
      var normal = unset(WaterfallGL.NORMAL_AT), texCoord = unset(WaterfallGL.TEXCOORD_AT);
      var color = unset(WaterfallGL.COLOR_AT);
      var partly = function(missing) { return missing > 0 && missing < count; };
      if (partly(normal) || partly(texCoord) || partly(color)) {
        list.ops.push({fill: true, mode: sent.mode, floats: sent.floats, count: count});
      } else {
        list.ops.push({mode: sent.mode, count: count, currentNormal: normal > 0,
          currentTexCoord: texCoord > 0, currentColor: color > 0,
          floats: sent.floats.map(function(f) { return f === f ? f : 0; })});
      }
      if (!list.execute) return;
      sent.floats = WaterfallGL.fillFromCurrent(sent.floats);
    }
    WaterfallGL.drawStreamed(sent.mode, sent.floats, sent.count);
  },

  glVertex3f__deps: ['$WaterfallGL'],
  glVertex3f: function(x, y, z) {
    WaterfallGL.pushVertex(x, y, z);
  },

  glVertex2f__deps: ['$WaterfallGL'],
  glVertex2f: function(x, y) {
    WaterfallGL.pushVertex(x, y, 0);
  },

  glNormal3f__deps: ['$WaterfallGL'],
  glNormal3f: function(x, y, z) {
    var n = WaterfallGL.normal;
    n[0] = x; n[1] = y; n[2] = z;
    WaterfallGL.noteSet('normal');
  },

  glTexCoord2f__deps: ['$WaterfallGL'],
  glTexCoord2f: function(s, t) {
    WaterfallGL.texCoord[0] = s;
    WaterfallGL.texCoord[1] = t;
    WaterfallGL.noteSet('texCoord');
  },

  glColor4f__deps: ['$WaterfallGL'],
  glColor4f: function(r, g, b, a) {
    var c = WaterfallGL.color;
    c[0] = r; c[1] = g; c[2] = b; c[3] = a;
    WaterfallGL.noteSet('color');
    GLImmediate.clientColor.set(WaterfallGL.color);
  },

  glColor3f__deps: ['glColor4f'],
  glColor3f: function(r, g, b) {
    _glColor4f(r, g, b, 1);
  },

  glGenLists__deps: ['$WaterfallGL'],
  glGenLists: function(range) {
    var first = WaterfallGL.nextListId;
    WaterfallGL.nextListId += range;
    return first;
  },

  glNewList__deps: ['$WaterfallGL'],
  glNewList: function(id, mode) {
    WaterfallGL.compiling = {id: id, execute: mode == 0x1301 /* GL_COMPILE_AND_EXECUTE */,
      ops: [], set: {normal: false, texCoord: false, color: false}};
  },

  glEndList__deps: ['$WaterfallGL', 'glDeleteLists'],
  glEndList: function() {
    var list = WaterfallGL.compiling;
    WaterfallGL.compiling = null;
    if (!list) return;
    _glDeleteLists(list.id, 1);
    var floats = [];
    list.ops = WaterfallGL.mergeTriangles(list.ops);
    list.ops.forEach(function(op) {
      if (op.fill || op.call) return;
      op.first = floats.length / WaterfallGL.STRIDE_FLOATS;
      Array.prototype.push.apply(floats, op.floats);
      op.floats = null;
    });
    if (floats.length) {
      list.buffer = WaterfallGL.newBuffer();
      _glBindBuffer(0x8892, list.buffer);
      GLctx.bufferData(GLctx.ARRAY_BUFFER, new Float32Array(floats), GLctx.STATIC_DRAW);
    }
    list.normal = list.set.normal ? WaterfallGL.normal.slice() : null;
    list.texCoord = list.set.texCoord ? WaterfallGL.texCoord.slice() : null;
    list.color = list.set.color ? WaterfallGL.color.slice() : null;
    // One block in its buffer, taking no current value that the list itself
    // changes: every call draws the same, so calls can become instances.
    var op = list.ops.length == 1 ? list.ops[0] : null;
    list.instanceable = !!(op && list.buffer && !op.fill && !op.call &&
      !(op.currentNormal && list.normal) && !(op.currentTexCoord && list.texCoord) &&
      !(op.currentColor && list.color));
    WaterfallGL.lists[list.id] = list;
  },

  glCallList__deps: ['$WaterfallGL'],
  glCallList: function(id) {
    if (WaterfallGL.compiling) {
      WaterfallGL.compiling.ops.push({call: id});
      if (!WaterfallGL.compiling.execute) return;
    }
    var list = WaterfallGL.lists[id];
    if (list) WaterfallGL.runList(list);
  },

  glDeleteLists__deps: ['$WaterfallGL'],
  glDeleteLists: function(first, range) {
    for (var id = first; id < first + range; id++) {
      var list = WaterfallGL.lists[id];
      if (!list) continue;
      if (list.buffer) {
        if (GLctx.currentArrayBufferBinding == list.buffer) _glBindBuffer(0x8892, 0);
        GLctx.deleteBuffer(GL.buffers[list.buffer]);
        GL.buffers[list.buffer] = null;
      }
      delete WaterfallGL.lists[id];
    }
  },

  // The emulation shades smoothly, which is GL's default and the only model
  // this program asks for; its own version only logs a "TODO".
  glShadeModel: function(mode) {},

  // Desktop GL makes a texture object on its first bind and has an object 0
  // of its own; WebGL binds only objects it made, and 0 means none.
  glBindTexture__deps: ['$WaterfallGL', '$GL'],
  glBindTexture: function(target, texture) {
    var object;
    if (texture == 0) {
      if (!WaterfallGL.textureZero) WaterfallGL.textureZero = GLctx.createTexture();
      object = WaterfallGL.textureZero;
    } else {
      if (!GL.textures[texture]) {
        var made = GLctx.createTexture();
        made.name = texture;
        GL.textures[texture] = made;
      }
      object = GL.textures[texture];
    }
    GLctx.bindTexture(target, object);
  },

  // Desktop GL takes a component count (1-4) for the internal format.
  glTexImage2D__deps: ['$emscriptenWebGLGetTexPixelData'],
  glTexImage2D: function(target, level, internalFormat, width, height, border, format, type, pixels) {
    var byCount = {1: 0x1909 /* GL_LUMINANCE */, 2: 0x190A /* GL_LUMINANCE_ALPHA */,
      3: 0x1907 /* GL_RGB */, 4: 0x1908 /* GL_RGBA */};
    if (byCount[internalFormat]) internalFormat = byCount[internalFormat];
    GLctx.texImage2D(target, level, internalFormat, width, height, border, format, type,
      pixels ? emscriptenWebGLGetTexPixelData(type, format, width, height, pixels, internalFormat) : null);
  },

  // GL_CLAMP is gone from WebGL; at the edge it samples as GL_CLAMP_TO_EDGE
  // does unless a border colour is set, which this program never sets.
  glTexParameteri: function(target, pname, param) {
    if (param == 0x2900 /* GL_CLAMP */) param = 0x812F /* GL_CLAMP_TO_EDGE */;
    GLctx.texParameteri(target, pname, param);
  },
};

autoAddDeps(LibraryWaterfallGLGaps, '$WaterfallGL');
mergeInto(LibraryManager.library, LibraryWaterfallGLGaps);
