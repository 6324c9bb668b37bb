// The drops as instances of one mesh. The program draws every drop as
//   glPushMatrix, glTranslatef(x, y, z), glCallList(sphere), glPopMatrix
// under the same modelview matrix, one draw each. Here such calls are held
// back, and a run of them becomes one instanced draw (ANGLE_instanced_arrays)
// with one attribute per drop: the fourth column of the drop's modelview
// matrix, computed as the emulation's glTranslate computes it. A translated
// matrix differs from the view only there, so an instanced twin of the
// emulation's own vertex shader, which takes u_modelView's first three
// columns and that attribute, does on the GPU what the per-drop draws do.
//
// Any other GL, GLU or GLUT call ends the run before it runs: the run is
// drawn, then whatever part of a drop was held back is done for real. So is
// the end of the JS task (a microtask), should a callback end with a run.
// Lists that take a current value they change themselves, and states whose
// shader cannot be twinned, are drawn one by one as the program asks.
//
// Module.waterfallInstancedDrops(on): false draws each drop by itself (for
// comparison), true as instances; redraws, and resolves with the number of
// drops drawn as instances in that frame.
//
// This file must come last among the JS libraries: it wraps every gl*, glu*
// and glut* function defined before it (the original stays under the name
// waterfallDirect_<name>).

var LibraryWaterfallInstancedDrops = {
  $WaterfallDrops__deps: ['$WaterfallGL', '$GL', '$GLImmediate', '$GLEmulation', 'glUseProgram',
    'glutPostRedisplay', 'waterfallDirect_glPushMatrix', 'waterfallDirect_glPopMatrix',
    'waterfallDirect_glTranslated', 'waterfallDirect_glCallList'],
  $WaterfallDrops__postset: 'WaterfallDrops.install();',
  $WaterfallDrops: {
    // How far a held-back drop has come.
    PUSHED: 1,
    TRANSLATED: 2,
    CALLED: 3,
    // The vertex shader's product that the twin replaces.
    PRODUCT: 'u_modelView * a_position',
    TWIN_PRODUCT: 'mat4(u_modelView[0], u_modelView[1], u_modelView[2], a_dropColumn) * a_position',
    TWIN_DECLARATION: 'attribute vec4 a_dropColumn;\n',

    instanced: true,
    open: false,      // a run or a drop is held back: other calls end it first
    step: 0,          // of the held-back drop
    x: 0, y: 0, z: 0, // its translation
    list: 0,          // the run's list
    count: 0,         // drops in the run
    columns: null,    // Float32Array: the fourth modelview column of each
    offsets: null,    // Float64Array: each drop's translation, to draw one by one
    buffer: null,     // WebGL buffer of the columns
    extension: null,  // ANGLE_instanced_arrays, once asked for
    extensionAsked: false,
    twins: null,      // Map: emulation renderer -> {id, column} or null
    drawn: 0,         // drops drawn as instances so far
    endQueued: false,

    install: function() {
      WaterfallDrops.twins = new Map();
      WaterfallDrops.columns = new Float32Array(4 * 1024);
      WaterfallDrops.offsets = new Float64Array(3 * 1024);
      WaterfallDrops.endTask = function() {
        WaterfallDrops.endQueued = false;
        if (WaterfallDrops.open) WaterfallDrops.end();
      };
      Module['waterfallInstancedDrops'] = WaterfallDrops.setInstanced;
    },

    setInstanced: function(on) {
      if (WaterfallDrops.open) WaterfallDrops.end();
      WaterfallDrops.instanced = !!on;
      var before = WaterfallDrops.drawn;
      _glutPostRedisplay();
      // GLUT's frame was asked for first, so it is drawn when this runs.
      return new Promise(function(resolve) {
        requestAnimationFrame(function() { resolve(WaterfallDrops.drawn - before); });
      });
    },

    canHold: function() {
      if (!WaterfallDrops.instanced || !GLctx || WaterfallGL.compiling ||
          GLImmediate.currentMatrix != 0) {
        return false;
      }
      if (!WaterfallDrops.extensionAsked) {
        WaterfallDrops.extension = GLctx.getExtension('ANGLE_instanced_arrays');
        WaterfallDrops.extensionAsked = true;
      }
      return !!WaterfallDrops.extension;
    },

    hold: function() {
      WaterfallDrops.open = true;
      if (!WaterfallDrops.endQueued) {
        WaterfallDrops.endQueued = true;
        queueMicrotask(WaterfallDrops.endTask);
      }
    },

    push: function() {
      if (WaterfallDrops.step) WaterfallDrops.end();
      if (!WaterfallDrops.canHold()) {
        if (WaterfallDrops.open) WaterfallDrops.end();
        _waterfallDirect_glPushMatrix();
        return;
      }
      WaterfallDrops.hold();
      WaterfallDrops.step = WaterfallDrops.PUSHED;
    },

    translate: function(x, y, z) {
      if (WaterfallDrops.step == WaterfallDrops.PUSHED) {
        WaterfallDrops.x = x;
        WaterfallDrops.y = y;
        WaterfallDrops.z = z;
        WaterfallDrops.step = WaterfallDrops.TRANSLATED;
        return;
      }
      if (WaterfallDrops.open) WaterfallDrops.end();
      _waterfallDirect_glTranslated(x, y, z);
    },

    callList: function(id) {
      var list = WaterfallGL.lists[id];
      if (WaterfallDrops.step == WaterfallDrops.TRANSLATED && list && list.instanceable &&
          !WaterfallGL.compiling) {
        if (WaterfallDrops.count && WaterfallDrops.list != id) WaterfallDrops.drawRun();
        WaterfallDrops.list = id;
        WaterfallDrops.step = WaterfallDrops.CALLED;
        WaterfallGL.takeListValues(list);
        return;
      }
      if (WaterfallDrops.open) WaterfallDrops.end();
      _waterfallDirect_glCallList(id);
    },

    pop: function() {
      if (WaterfallDrops.step == WaterfallDrops.CALLED) {
        WaterfallDrops.add();
        WaterfallDrops.step = 0;
        return;
      }
      if (WaterfallDrops.open) WaterfallDrops.end();
      _waterfallDirect_glPopMatrix();
    },

    // The held-back drop joins the run, and the emulation is left as the
    // drop's push, translate and pop leave it: the matrix as the plain
    // array the push kept, with a new version.
    add: function() {
      var d = WaterfallDrops, m = GLImmediate.matrix[0];
      if (4 * (d.count + 1) > d.columns.length) {
        var columns = new Float32Array(2 * d.columns.length);
        columns.set(d.columns);
        d.columns = columns;
        var offsets = new Float64Array(2 * d.offsets.length);
        offsets.set(d.offsets);
        d.offsets = offsets;
      }
      var x = d.x, y = d.y, z = d.z, c = 4 * d.count, o = 3 * d.count;
      // As gl-matrix's mat4.translate, term by term.
      d.columns[c] = m[0] * x + m[4] * y + m[8] * z + m[12];
      d.columns[c + 1] = m[1] * x + m[5] * y + m[9] * z + m[13];
      d.columns[c + 2] = m[2] * x + m[6] * y + m[10] * z + m[14];
      d.columns[c + 3] = m[3] * x + m[7] * y + m[11] * z + m[15];
      d.offsets[o] = x;
      d.offsets[o + 1] = y;
      d.offsets[o + 2] = z;
      d.count++;
      if (!Array.isArray(m)) GLImmediate.matrix[0] = Array.prototype.slice.call(m);
      GLImmediate.matrixVersion[0] = (GLImmediate.matrixVersion[0] + 1) | 0;
      GLImmediate.matricesModified = true;
    },

    endingRunFirst: function(call) {
      return function() {
        if (WaterfallDrops.open) WaterfallDrops.end();
        return call.apply(null, arguments);
      };
    },

    // Draws the run, then does for real what is held back of a drop.
    end: function() {
      var d = WaterfallDrops, step = d.step;
      d.open = false;
      d.step = 0;
      d.drawRun();
      if (step >= d.PUSHED) _waterfallDirect_glPushMatrix();
      if (step >= d.TRANSLATED) _waterfallDirect_glTranslated(d.x, d.y, d.z);
      if (step == d.CALLED) _waterfallDirect_glCallList(d.list);
    },

    // The run so far; a held-back drop stays held.
    drawRun: function() {
      var d = WaterfallDrops, count = d.count, open = d.open;
      if (!count) return;
      d.count = 0;
      d.open = false;  // what follows calls GL for real
      var list = WaterfallGL.lists[d.list];
      if (d.drawInstances(list, count)) {
        d.drawn += count;
      } else {
        for (var i = 0; i < count; i++) {
          _waterfallDirect_glPushMatrix();
          var o = 3 * i;
          _waterfallDirect_glTranslated(d.offsets[o], d.offsets[o + 1], d.offsets[o + 2]);
          _waterfallDirect_glCallList(d.list);
          _waterfallDirect_glPopMatrix();
        }
      }
      d.open = open;
    },

    // The list's one block, drawn `count` times as the emulation's
    // glDrawArrays would draw it once, with the twin program. False, and
    // nothing drawn, when the emulation's shader has no twin.
    drawInstances: function(list, count) {
      var d = WaterfallDrops, op = list.ops[0], gl = GLctx, ext = d.extension;
      WaterfallGL.arraysFor(list.buffer, op);
      GLImmediate.prepareClientAttributes(op.count, false);
      GLImmediate.mode = op.mode;
      var twin = d.twinOf(GLImmediate.getRenderer());
      if (!twin) {
        GLImmediate.mode = -1;
        return false;
      }
      _glUseProgram(twin.id);
      GLImmediate.getRenderer().prepare();
      if (!d.buffer) d.buffer = gl.createBuffer();
      gl.bindBuffer(0x8892 /* GL_ARRAY_BUFFER */, d.buffer);
      gl.bufferData(0x8892, d.columns.subarray(0, 4 * count), 0x88E0 /* GL_STREAM_DRAW */);
      gl.vertexAttribPointer(twin.column, 4, 0x1406 /* GL_FLOAT */, false, 0, 0);
      gl.enableVertexAttribArray(twin.column);
      ext.vertexAttribDivisorANGLE(twin.column, 1);
      ext.drawArraysInstancedANGLE(op.mode, op.first, op.count, count);
      ext.vertexAttribDivisorANGLE(twin.column, 0);
      gl.disableVertexAttribArray(twin.column);
      gl.bindBuffer(0x8892, GL.buffers[GLctx.currentArrayBufferBinding] || null);
      _glUseProgram(0);
      GLImmediate.mode = -1;
      return true;
    },

    twinOf: function(renderer) {
      var twin = WaterfallDrops.twins.get(renderer);
      if (twin === undefined) {
        twin = WaterfallDrops.makeTwin(renderer);
        WaterfallDrops.twins.set(renderer, twin);
      }
      return twin;
    },

    // The emulation's program for this state, but with the modelview's
    // fourth column from a per-drop attribute: the same fragment shader, the
    // same attribute indices and samplers. Registered as a program of the
    // user's, so that the emulation sends it the lights, materials, fog and
    // matrices as it does to its own.
    makeTwin: function(renderer) {
      var d = WaterfallDrops, gl = GLctx;
      if (!renderer.vertexShader || !renderer.fragmentShader || !renderer.program) return null;
      var source = gl.getShaderSource(renderer.vertexShader);
      if (!source || source.split(d.PRODUCT).length != 2) return null;
      var used = {};
      var attributes = gl.getProgramParameter(renderer.program, 0x8B89 /* GL_ACTIVE_ATTRIBUTES */);
      for (var i = 0; i < attributes; i++) {
        var name = gl.getActiveAttrib(renderer.program, i).name;
        used[gl.getAttribLocation(renderer.program, name)] = name;
      }
      var column = 1, most = gl.getParameter(0x8869 /* GL_MAX_VERTEX_ATTRIBS */);
      while (column < most && used[column] !== undefined) column++;
      if (column == most) return null;

      var shader = gl.createShader(0x8B31 /* GL_VERTEX_SHADER */);
      gl.shaderSource(shader, d.TWIN_DECLARATION + source.replace(d.PRODUCT, d.TWIN_PRODUCT));
      gl.compileShader(shader);
      var program = gl.createProgram();
      gl.attachShader(program, shader);
      gl.attachShader(program, renderer.fragmentShader);
      for (var index in used) gl.bindAttribLocation(program, Number(index), used[index]);
      gl.bindAttribLocation(program, column, 'a_dropColumn');
      gl.linkProgram(program);
      if (!gl.getProgramParameter(program, 0x8B82 /* GL_LINK_STATUS */)) {
        gl.deleteProgram(program);
        gl.deleteShader(shader);
        return null;
      }
      d.copySamplers(renderer.program, program);

      var id = GL.getNewId(GL.programs);
      program.name = id;
      GL.programs[id] = program;
      var shaders = [[shader, 0x8B31], [renderer.fragmentShader, 0x8B30 /* GL_FRAGMENT_SHADER */]];
      GL.programShaders[id] = shaders.map(function(pair) {
        var shaderId = GL.getNewId(GL.shaders);
        GL.shaders[shaderId] = pair[0];
        GL.shaderInfos[shaderId] = {type: pair[1], ftransform: false};
        return shaderId;
      });
      return {id: id, column: column};
    },

    // The emulation sets its samplers once, when it makes a program.
    copySamplers: function(from, to) {
      var gl = GLctx, current = gl.getParameter(0x8B8D /* GL_CURRENT_PROGRAM */);
      gl.useProgram(to);
      var uniforms = gl.getProgramParameter(from, 0x8B86 /* GL_ACTIVE_UNIFORMS */);
      for (var i = 0; i < uniforms; i++) {
        var info = gl.getActiveUniform(from, i);
        var sampler = info.type == 0x8B5E /* GL_SAMPLER_2D */ || info.type == 0x8B60 /* GL_SAMPLER_CUBE */;
        if (!sampler) continue;
        gl.uniform1i(gl.getUniformLocation(to, info.name),
          gl.getUniform(from, gl.getUniformLocation(from, info.name)));
      }
      gl.useProgram(current);
    },
  },
};

// The emulation replaces these at start-up (GLEmulation.init, which
// GLImmediate.setupHooks runs first, then setupHooks itself), wrapping what
// is there, and its versions change its state before they call what they
// wrap, or never call it: a run must end before them, so once they are in
// place each is wrapped again. The wasm imports are taken after that.
LibraryWaterfallInstancedDrops.$WaterfallDrops.HOOKED_BY_EMULATION = ['glActiveTexture',
  'glAttachShader', 'glBindAttribLocation', 'glBindBuffer', 'glCompileShader', 'glCreateShader',
  'glDeleteProgram', 'glDetachShader', 'glDisable', 'glDisableVertexAttribArray', 'glEnable',
  'glEnableVertexAttribArray', 'glGetBooleanv', 'glGetFloatv', 'glGetIntegerv', 'glGetString',
  'glGetTexEnvfv', 'glGetTexEnviv', 'glHint', 'glIsEnabled', 'glLinkProgram', 'glShaderSource',
  'glTexEnvf', 'glTexEnvfv', 'glTexEnvi', 'glUseProgram', 'glVertexAttribPointer'];
LibraryWaterfallInstancedDrops.$WaterfallDrops.wrapEmulationHooks = Function(
  LibraryWaterfallInstancedDrops.$WaterfallDrops.HOOKED_BY_EMULATION.map(function(name) {
    return '_' + name + ' = WaterfallDrops.endingRunFirst(_' + name + ');';
  }).join('\n'));
(function() {
  var immediate = LibraryManager.library.$GLImmediate;
  immediate.waterfallSetupHooks = immediate.setupHooks;
  immediate.setupHooks = function() {
    GLImmediate.waterfallSetupHooks();
    WaterfallDrops.wrapEmulationHooks();
  };
  LibraryManager.library.$GLImmediate__deps =
    (LibraryManager.library.$GLImmediate__deps || []).concat('$WaterfallDrops');
})();

// Every gl*, glu* and glut* function defined so far is kept under
// waterfallDirect_<name>; <name> ends a held-back run first. The four calls
// of a drop are the run's own.
(function() {
  var library = LibraryManager.library;
  var own = {
    glPushMatrix: 'WaterfallDrops.push()',
    glTranslatef: 'WaterfallDrops.translate(x0, x1, x2)',
    glTranslated: 'WaterfallDrops.translate(x0, x1, x2)',
    glCallList: 'WaterfallDrops.callList(x0)',
    glPopMatrix: 'WaterfallDrops.pop()',
  };
  Object.keys(library).forEach(function(name) {
    if (!/^(emscripten_)?gl[A-Zu]/.test(name) || isJsLibraryConfigIdentifier(name)) return;
    var original = library[name];
    if (typeof original != 'function') return;
    var direct = 'waterfallDirect_' + name;
    Object.keys(library).forEach(function(key) {
      if (key.indexOf(name + '__') == 0) library[direct + key.substr(name.length)] = library[key];
    });
    library[direct] = original;
    delete library[name + '__postset'];
    var text = original.toString();
    var declared = text.slice(text.indexOf('(') + 1, text.indexOf(')')).split(',')
      .filter(function(parameter) { return parameter.trim(); }).length;
    var parameters = [];
    for (var i = 0; i < Math.max(declared, original.length); i++) parameters.push('x' + i);
    var call = text.indexOf('arguments') >= 0 ? '_' + direct + '.apply(null, arguments)'
      : '_' + direct + '(' + parameters.join(', ') + ')';
    var body = own.hasOwnProperty(name) ? own[name] + ';'
      : 'if (WaterfallDrops.open) WaterfallDrops.end();\nreturn ' + call + ';';
    library[name] = Function.apply(null, parameters.concat(body));
    library[name + '__deps'] = ['$WaterfallDrops', direct];
  });
})();

mergeInto(LibraryManager.library, LibraryWaterfallInstancedDrops);
