# Describes a Material beyond what its payload holds.
#
# The connector runs this script with __kv_payload_path naming a JSON file
# {"materialPath": ...} (the request body as sent) and writes to __kv_result_path:
#
# {"success": true, "material": object path, "materialSettings": {...},
#  "expressions": [{"name", "class", "posX", "posY", "desc", "properties", "inputs", "outputs"}],
#  "comments": [{"name", "posX", "posY", "sizeX", "sizeY", "text"}],
#  "connections": [...], "resultConnections": [...],
#  "usedTextures": [...], "functions": [...], "compileErrors": [...]}
#
# `properties` holds each editable property the expression sets, as export text;
# `inputs` each input with the expression and output it reads; `connections` and
# `resultConnections` give the same links in the form _kv_material_deploy.py takes,
# so an answer with a new `name` and `path` deploys an equivalent Material.
# Resources/README.md describes both scripts. Everything lives inside one function
# that is deleted again, so __main__ keeps nothing of this script.
#
# The header is a comment rather than a docstring, which would set __main__.__doc__.



def _kv_material_enrich():
    import json

    import editor

    def read_payload():
        with open(__kv_payload_path, encoding='utf-8') as payload_file:
            payload = json.load(payload_file)
        if not isinstance(payload, dict) or not isinstance(payload.get('materialPath'), str):
            raise ValueError("the payload has no 'materialPath'")
        return payload

    def describe_expression(expression):
        x, y = editor.get_expression_position(expression)
        inputs = []
        for described in editor.get_expression_inputs(expression):
            source = described['expression']
            inputs.append({
                'name': described['name'],
                'expression': source.get_name() if source is not None else None,
                'output': described['output_name'],
                'outputIndex': described['output_index'],
            })
        return {
            'name': expression.get_name(),
            'class': expression.get_class().get_path_name(),
            'posX': x,
            'posY': y,
            'desc': editor.get_expression_description(expression),
            'properties': editor.get_expression_properties(expression),
            'inputs': inputs,
            'outputs': editor.get_expression_outputs(expression),
        }

    def describe_comment(comment):
        x, y = editor.get_expression_position(comment)
        properties = editor.get_expression_properties(comment)
        return {
            'name': comment.get_name(),
            'posX': x,
            'posY': y,
            'sizeX': int(properties.get('SizeX', '0')),
            'sizeY': int(properties.get('SizeY', '0')),
            'text': editor.get_expression_description(comment, 'Text'),
            'properties': properties,
        }

    def expression_connections(expression):
        connections = []
        for described in editor.get_expression_inputs(expression):
            source = described['expression']
            if source is not None:
                connections.append({
                    'fromExpression': source.get_name(),
                    'fromOutput': described['output_name'],
                    'toExpression': expression.get_name(),
                    'toInput': described['name'],
                })
        return connections

    def result_connections(material):
        connections = []
        for pin, (source, output_name, _output_index) in editor.get_material_property_inputs(material).items():
            connections.append({'pin': pin, 'fromExpressionName': source.get_name(), 'fromOutputName': output_name})
        return connections

    def enrich(payload):
        material = editor.load_asset(payload['materialPath'])
        if material is None or not material.is_a('/Script/Engine.Material'):
            return {'success': False, 'error': 'Material not found: %s' % payload['materialPath']}
        expressions = editor.get_material_expressions(material)
        connections = []
        for expression in expressions:
            connections.extend(expression_connections(expression))
        return {
            'success': True,
            'material': material.get_path_name(),
            'materialSettings': editor.get_material_settings(material),
            'expressions': [describe_expression(expression) for expression in expressions],
            'comments': [describe_comment(comment) for comment in editor.get_material_comments(material)],
            'connections': connections,
            'resultConnections': result_connections(material),
            'usedTextures': [texture.get_path_name() for texture in editor.get_used_textures(material)],
            'functions': [function.get_path_name() for function in editor.get_called_functions(material)],
            'compileErrors': editor.get_material_compile_errors(material),
        }

    try:
        result = enrich(read_payload())
    except Exception as error:  # every failure is answered, never raised past the script
        result = {'success': False, 'error': '%s: %s' % (type(error).__name__, error)}
    with open(__kv_result_path, 'w', encoding='utf-8') as result_file:
        json.dump(result, result_file)


try:
    _kv_material_enrich()
finally:
    del _kv_material_enrich
